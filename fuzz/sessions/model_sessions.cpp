#include "fuzz/sessions/sessions.h"
#include "fuzz/support/scratch_folder.h"
#include "link/download_function.h"
#include "model/model_data_lists.h"
#include "model/model_procedures.h"

namespace skarnel::fuzz {
namespace {

constexpr ScriptedCommand kCommands[] = {
    {kGroupApplication, 0x11},  // product information
    {kGroupApplication, 0x21},  // display line
    {kGroupApplication, 0x22},  // display clear
    {kGroupApplication, 0x23},  // display on
    {kGroupApplication, 0x24},  // display off
    {kGroupModelData, 0x32},    // data schema
    {kGroupModelData, 0x33},    // flash read
};

// Checks that every model file lands in the backup folder, whatever the model's name.
class WrittenFiles final : public ModelDataLists {
public:
    explicit WrittenFiles(std::filesystem::path folder) : folder_(std::move(folder)) {}

    void AddPcFile(const std::string& path) override { CheckInsideFolder(folder_, path); }
    void AddControllerModel(const std::string&) override {}

private:
    std::filesystem::path folder_;
};

void BackUpModelFiles(CDownload_Function& link)
{
    const std::filesystem::path folder = FreshFolder("models");
    WrittenFiles files(folder);
    BackupModelFiles(link, folder, files);
}

void BackUpMenu(CDownload_Function& link)
{
    BackupSystemData(link, FreshFolder("menu") / "backup.mif");
}

}  // namespace

const Session kModelFilesSession{kCommands, BackUpModelFiles};
const Session kMenuBackupSession{kCommands, BackUpMenu};

}  // namespace skarnel::fuzz
