#include "firmware/firmware_upgrade.h"
#include "sim/firmware_download.h"
#include "sim/model_data_commands.h"
#include "tests/faults/trial_jobs.h"
#include "tests/faults/trial_rig.h"
#include "tests/firmware/upgrade_files.h"

namespace skarnel::test {
namespace {

constexpr uint32_t kProduct = 16003300;

// The boot loader and then the application, each a newer version than the controller's; the
// memory layout stays, so no model backup is asked for.
class FirmwareUpgradeTrial final : public TrialJob {
public:
    sim::ControllerState Controller() const override
    {
        sim::ControllerState state;
        state.product.appProductCode = kProduct;
        state.product.bootProductCode = kProduct;
        return state;
    }

    void Prepare(TrialRig& rig) override
    {
        sim::InstallFirmwareDownload(rig.engine());
        sim::InstallModelDataCommands(rig.engine());
        images_ = {PlainApplicationImage(kProduct, 106, rig.state().product.memoryVersion),
                   PlainBootLoaderImage(kProduct, 13),
                   {},
                   true};
        request_.firmwarePath = WriteUpgradeFile(rig.files, "upgrade.bin", images_);
        request_.bootIncluded = 1;
        request_.backupPath = SystemBackupPath(rig.files.Root());
    }

    JobOutcome Run(TrialRig& rig) override { return FirmwareUpgradeJob(rig.link, request_); }

    bool Delivered(TrialRig& rig) override
    {
        const auto& received = rig.state().firmware.receivedImages;
        const auto holds = [&](ImageKind kind, const std::vector<uint8_t>& image) {
            const auto found = received.find(kind);
            return found != received.end() && found->second == image;
        };
        return holds(ImageKind::BootLoader, images_.bootLoader) && holds(ImageKind::Application, images_.application);
    }

private:
    UpgradeImages images_;
    FirmwareUpgradeRequest request_;
};

}  // namespace

std::vector<TrialJobKind> FirmwareTrialJobs()
{
    return {{"firmware upgrade", [] { return std::make_unique<FirmwareUpgradeTrial>(); }}};
}

}  // namespace skarnel::test
