// The SD card view's single commands, for service work; their buttons are hidden. Each runs as
// a job on the held connection, in the folder selected when it was pressed.
#include "sdcard/views/sd_file_control_view.h"

#include "base/format.h"
#include "sdcard/sd_codes.h"

#include <QPushButton>

#include <functional>

namespace skarnel {
namespace {

using CardCommand = std::function<void(CSD_File_Control_View&, CDownload_Function&, const std::string& folder)>;

QString ListReadFailText(uint8_t result)
{
    return QString::fromStdString(Format("File List Read Fail - %s", FatResultText(result).c_str()));
}

}  // namespace

void CSD_File_Control_View::CreateHiddenCommandButtons()
{
    const std::pair<const char*, CardCommand> commands[] = {
        {"log stop",
         [](CSD_File_Control_View& view, CDownload_Function& link, const std::string&) {
             if (!link.SdLogStop())
                 view.Tell("SD Log Stop Fail");
         }},
        {"Init",
         [](CSD_File_Control_View& view, CDownload_Function& link, const std::string&) {
             if (!link.SdInit())
                 view.Tell("SD Init Fail");
         }},
        {"Space",
         [](CSD_File_Control_View& view, CDownload_Function& link, const std::string&) {
             if (!view.ReadDiskSpace(link))
                 view.Tell("SD Size Read Fail");
         }},
        {"Open Dir",
         [](CSD_File_Control_View& view, CDownload_Function& link, const std::string& folder) {
             uint8_t result = kSdResultNone;
             if (!link.SdOpenDirectory(folder, result))
                 view.Tell(ListReadFailText(result));
         }},
        {"File List",
         [](CSD_File_Control_View& view, CDownload_Function& link, const std::string&) {
             std::string entry;
             uint8_t result = kSdResultNone;
             if (link.SdNextEntry(entry, result))
                 view.AppendLogLine(entry);
             else
                 view.Tell(ListReadFailText(result));
         }},
    };
    for (const auto& [title, command] : commands) {
        auto* button = new QPushButton(title, this);
        button->hide();
        AddJobButton(button);
        connect(button, &QPushButton::clicked, this, [this, command] {
            if (!Port().IsConnected())
                return;
            StartCardJob([this, command, folder = currentSdFolder_](CDownload_Function& link) {
                command(*this, link, folder);
                return JobOutcome{};
            });
        });
        hiddenCommandButtons_.push_back(button);
    }
}

}  // namespace skarnel
