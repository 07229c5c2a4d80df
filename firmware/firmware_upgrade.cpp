#include "firmware/firmware_upgrade.h"

#include "firmware/binary_file.h"
#include "firmware/firmware_file.h"
#include "firmware/image_info.h"
#include "firmware/image_kind.h"
#include "firmware/kept_backup_text.h"
#include "firmware/model_conversion_check.h"
#include "firmware/product_lines.h"
#include "firmware/scrambler.h"
#include "link/download_function.h"
#include "base/format.h"
#include "link/rs232.h"
#include "link/product_info.h"
#include "base/reporter.h"
#include "model/model_procedures.h"

#include <vector>

namespace skarnel {
namespace {

constexpr const char* kRfQuestion =
    "Warning! Switch-OFF your RC-model!  \r\n\r\nRF will be switched OFF. \r\n\r\n\r\n\r\n Continue?";
constexpr const char* kOldVersionQuestion =
    "The firmware file to be updated is lower than the product version \r\n \r\nDo you want to download?";
constexpr int kFailurePauseMs = 200;
constexpr int kDownloadStartRetryPauseMs = 100;
constexpr int kNextImagePauseMs = 2000;
constexpr int kApplicationStartPauseMs = 1500;

// One upgrade's working set; each step returns false after setting the final text.
class UpgradeJob {
public:
    UpgradeJob(CDownload_Function& link, const FirmwareUpgradeRequest& request, ProductLines* lines)
        : link_(link), group_(link, kGroupApplication), request_(request), lines_(lines)
    {
    }

    JobOutcome Run();

private:
    bool Stop(const char* text)
    {
        finalText_ = text;
        return false;
    }
    // Once the backup is written, a failure says where it is and how it is restored.
    JobOutcome Failed(const std::string& text) const
    {
        return JobOutcome::Failure(backupMade_ ? text + KeptBackupText(request_.backupPath) : text);
    }
    void Log(const std::string& text) { link_.Window().ReportLogLine(text); }
    const ImageKindProfile& Profile() const { return ProfileOf(kind_); }

    bool BackUpIfAsked();
    bool OpenUpgradeFile();
    bool InstallImages();
    bool MakeControllerReady();
    bool PauseRf();
    bool EnterBootLoader();
    bool ReadController();
    bool ReadImage();
    bool CheckImage();
    bool CompareVersions(const ImageInfo& info);
    bool SendImage();
    // After a boot loader image: the next kind, and whether it needs the controller made ready.
    bool MoveToNextImage();
    JobOutcome FinishApplication();

    CDownload_Function& link_;
    // Each image talks to the application, then to a boot loader, in the group its kind names.
    GroupScope group_;
    const FirmwareUpgradeRequest& request_;
    ProductLines* lines_;
    std::string finalText_;
    InputFile file_;
    FirmwareFileHeader header_;
    ImageKind kind_ = ImageKind::Application;
    ProductInfo product_;
    VersionAddressInfo addresses_;
    std::vector<uint8_t> stored_;
    bool backupMade_ = false;
};

JobOutcome UpgradeJob::Run()
{
    link_.progressStep = 0;
    if (!BackUpIfAsked() || !OpenUpgradeFile() || !InstallImages())
        return Failed(finalText_);
    return FinishApplication();
}

bool UpgradeJob::BackUpIfAsked()
{
    bool backupRequested = false;
    if (!CheckModelConversion(link_, request_.firmwarePath, backupRequested))
        return Stop("Model Conversion Check - Fail  ");
    if (!backupRequested)
        return true;
    Log("System Data Backup Start!!");
    if (request_.backupPath.empty() || !BackupSystemData(link_, request_.backupPath))
        return Stop(kSystemBackupFail);
    Log(kSystemBackupSuccess);
    Log("Firmware Download Process Start");
    backupMade_ = true;
    return true;
}

bool UpgradeJob::OpenUpgradeFile()
{
    if (!file_.Open(request_.firmwarePath))
        return Stop("Firmware File Open Fail");
    if (!ReadFirmwareFileHeader(file_, header_) || !header_.MagicsValid())
        return Stop("File Header Read Fail");
    kind_ = request_.bootIncluded != 0 ? ImageKind::BootLoader : ImageKind::Application;
    return true;
}

// Boot loader, then the ST boot loader if the file has one, then the application. The
// application after an ST boot loader image goes to the boot loader that is still running.
bool UpgradeJob::InstallImages()
{
    bool makeReady = true;
    while (true) {
        if (makeReady && !MakeControllerReady())
            return false;
        if (!ReadController() || !ReadImage() || !CheckImage() || !SendImage())
            return false;
        if (kind_ == ImageKind::Application)
            return true;
        makeReady = MoveToNextImage();
    }
}

bool UpgradeJob::MakeControllerReady()
{
    stored_.clear();
    group_.Change(kGroupApplication);
    if (!(Profile().madeReadyByRestart ? EnterBootLoader() : PauseRf()))
        return false;
    Log("Download Start Command Send");
    const bool connected = link_.port && link_.port->IsConnected();
    if (!link_.SendDownloadStart()) {
        if (connected)
            link_.Sleep(kDownloadStartRetryPauseMs);
        link_.Sleep(kFailurePauseMs);
        return Stop("Download Start Command Send Fail");
    }
    Log("Download Start Command Send - OK");
    return true;
}

bool UpgradeJob::PauseRf()
{
    Log("Boot Loader Download Start");
    if (!link_.Window().AskYesNo(kRfQuestion, "RF Off", MessageIcon::Question))
        return Stop("RF switch off - Canceled");
    Log("RF Process Pause");
    if (!link_.PauseRfProcess()) {
        link_.Sleep(kFailurePauseMs);
        return Stop("RF Process Command Send Fail");
    }
    return true;
}

bool UpgradeJob::EnterBootLoader()
{
    link_.RequestRestart();
    group_.Change(Profile().downloadStartGroup);
    if (!link_.WaitBootupFrame()) {
        link_.Sleep(kFailurePauseMs);
        return Stop("Bootup Packet Receive Fail");
    }
    Log("Bootup Packet Receive");
    return true;
}

bool UpgradeJob::ReadController()
{
    const bool usesDisplay = Profile().usesDisplay;
    if (usesDisplay) {
        group_.Change(Profile().transferGroup);
        if (!link_.DisplayControlOn())
            return Stop("Display Control On Command Send Fail");
        if (!link_.DisplayClear())
            return Stop("Display Clear Command Send Fail");
    }
    if (!link_.ReadProductInfo(product_))
        return Stop("Product Information Read Fail");
    if (usesDisplay)
        link_.ShowFirmwareBanner(product_.DisplayType());
    if (lines_)
        lines_->ShowProductLines(product_);
    LogControllerProduct(link_.Window(), product_);
    if (!link_.ReadVersionAddressInfo(addresses_))
        return Stop("Version Address Information Read Fail");
    Log("Address Information Read From Controller");
    Log(VersionAddressLogLine(addresses_));
    return true;
}

bool UpgradeJob::ReadImage()
{
    if (!ReadFirmwareImage(file_, header_, kind_, stored_))
        return Stop("File Header Read Fail ");
    return true;
}

bool UpgradeJob::CheckImage()
{
    if (!Profile().checkedBeforeSending)
        return true;
    const std::vector<uint8_t> plain = ScrambleImage(stored_);
    ImageInfo info;
    if (!ReadImageInfo(plain.data(), plain.size(), addresses_, kind_, info))
        return Stop("File Information Read Fail");
    Log("Product Information Read From File");
    Log(ImageInfoLogLine(info));
    if (info.productCode != static_cast<uint32_t>(product_.AppPCode))
        return Stop("Product Code Mismatch");
    Log("Product Code Compare - Ok");
    return CompareVersions(info);
}

// A boot loader image is weighed against the boot loader the controller runs, an
// application image against its application.
bool UpgradeJob::CompareVersions(const ImageInfo& info)
{
    const int32_t installed = kind_ == ImageKind::BootLoader ? product_.BootVer : product_.AppVer;
    if (static_cast<uint32_t>(installed) <= info.version) {
        Log("Version Compare - Ok");
        return true;
    }
    if (!link_.Window().AskYesNo(kOldVersionQuestion, "Old Version", MessageIcon::Question))
        return Stop("Old Version Firmware File");
    Log("Version Compare - Down Grade");
    return true;
}

bool UpgradeJob::SendImage()
{
    const char* name = Profile().name;
    Log(Format("%s File Information Send", name));
    const auto size = static_cast<uint32_t>(stored_.size());
    if (!link_.SendImageFileInformation(size, request_.firmwarePath))
        return Stop("File Infomation Send Fail");
    Log(Format("%s Firmware Download Start!", name));
    if (link_.DownloadImage(size, stored_.data(), kind_, product_.DisplayType()))
        return true;
    if (Profile().erasedAfterFailedTransfer) {
        Log("Application Firmware Download Fail. Erase Application Area!");
        link_.EraseApplicationArea();
    }
    return Stop("Firmware Download Fail");
}

bool UpgradeJob::MoveToNextImage()
{
    const bool afterBootLoader = kind_ == ImageKind::BootLoader;
    if (afterBootLoader) {
        Log("Boot Loader Download Success!!");
        if (header_.StBootSize != 0) {
            Log("ST Boot Loader Download Start");
            kind_ = ImageKind::StBootLoader;
        } else {
            Log("Application Firmware Download Start");
            kind_ = ImageKind::Application;
        }
    } else {
        Log("ST Boot Loader Download Success!!");
        Log("Application Firmware Download Start");
        kind_ = ImageKind::Application;
    }
    link_.Sleep(kNextImagePauseMs);
    return afterBootLoader;
}

JobOutcome UpgradeJob::FinishApplication()
{
    Log("Application Firmware Download Success!!");
    link_.PauseRfProcessOnce();
    file_.Close();
    link_.Sleep(kApplicationStartPauseMs);
    if (!backupMade_)
        return JobOutcome::Success("Firmware Download Success");
    Log("Firmware Download Success");
    Log("System Data Restore Start!!");
    link_.Sleep(kApplicationStartPauseMs);
    if (RestoreSystemData(link_, request_.backupPath))
        return JobOutcome::Success("Firmware Download, Model Data Restore Process Success");
    return Failed("Model Data Restore Process Fail");
}

}  // namespace

// After a good upgrade the product lines show what the controller runs now, not what it ran
// before; a controller that does not answer yet leaves them as they were.
JobOutcome FirmwareUpgradeJob(CDownload_Function& link, const FirmwareUpgradeRequest& request, ProductLines* lines)
{
    JobOutcome outcome = UpgradeJob(link, request, lines).Run();
    ProductInfo upgraded;
    if (outcome.succeeded && lines) {
        GroupScope group(link, kGroupApplication);
        if (link.ReadProductInfo(upgraded))
            lines->ShowProductLines(upgraded);
    }
    return outcome;
}

std::filesystem::path SystemBackupPath(const std::filesystem::path& applicationFolder)
{
    if (applicationFolder.empty())
        return {};
    return applicationFolder / "Menu_Backup.mif";
}

}  // namespace skarnel
