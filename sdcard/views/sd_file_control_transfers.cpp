// The SD card view's two transfers. They run on the worker with the connection the view holds;
// the controls that could use it are disabled meanwhile.
#include "sdcard/views/sd_file_control_view.h"

#include "sdcard/sd_codes.h"
#include "shell/ui_call_queue.h"

#include <QTableWidget>
#include <QTreeWidget>

namespace skarnel {

void CSD_File_Control_View::CopySdToPc()
{
    const std::vector<std::string> names = SelectedNames(sdList_);
    if (!Port().IsConnected() || names.empty() || currentPcFolder_.empty())
        return;
    StartCardJob([this, names, sdFolder = currentSdFolder_, pcFolder = currentPcFolder_](CDownload_Function& link) {
        return FinishSdToPc(SdToPcJob(link, sdFolder, names, pcFolder, StopRequest()));
    });
}

void CSD_File_Control_View::CopyPcToSd()
{
    std::vector<std::filesystem::path> files;
    for (const std::string& name : SelectedNames(pcList_))
        files.push_back(currentPcFolder_ / name);
    if (!Port().IsConnected() || files.empty())
        return;
    StartCardJob([this, files, sdFolder = currentSdFolder_](CDownload_Function& link) {
        return FinishPcToSd(link, PcToSdJob(link, files, sdFolder, StopRequest()), sdFolder);
    });
}

// The PC folder is listed again, so the copies show.
JobOutcome CSD_File_Control_View::FinishSdToPc(const JobOutcome& outcome)
{
    Calls().Call([&] {
        if (outcome.succeeded && pcTree_->currentItem())
            ListPc(currentPcFolder_, pcTree_->currentItem());
    });
    return outcome;
}

// The card's space and folder are read again, so the copies show.
JobOutcome CSD_File_Control_View::FinishPcToSd(CDownload_Function& link, const JobOutcome& outcome,
                                               const std::string& sdFolder)
{
    if (outcome.succeeded) {
        if (!ReadDiskSpace(link))
            AppendLogLine("SD Size Read Fail");
        std::vector<SdEntry> entries;
        uint8_t result = kSdResultNone;
        ListSdFolder(link, sdFolder, entries, result);
        std::vector<SdEntry> files = SdFileRows(sdFolder, entries);
        ReadSdFileSizes(link, sdFolder, files);
        Calls().Call([&] { ShowSdFiles(files); });
    }
    return outcome;
}

}  // namespace skarnel
