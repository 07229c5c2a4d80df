#include "voice/voice_jobs.h"

#include "link/download_function.h"
#include "base/file_safe_name.h"
#include "base/format.h"
#include "base/printable_text.h"
#include "base/reporter.h"
#include "voice/voice_bundle.h"
#include "voice/voice_flash_info.h"
#include "voice/wave_control.h"

#include <algorithm>

namespace skarnel {
namespace {

constexpr const char* kStopText = "Thread Stop Flag Set";
constexpr int kEraseFailPauseMs = 200;

// Whether the stop request ends the job, with its final text.
bool StopEndsJob(const StopRequest& stop, std::string& finalText)
{
    if (!stop.Requested())
        return false;
    finalText = kStopText;
    return true;
}

// The RF question and pause; the pause's outcome is not examined.
bool SwitchRfOff(CDownload_Function& link, const char* question, std::string& finalText)
{
    if (!link.Window().AskYesNo(question, "RF Off", MessageIcon::Question)) {
        finalText = "RF switch off - Canceled";
        return false;
    }
    link.Window().ReportLogLine("RF Process Pause");
    link.PauseRfProcess();
    return true;
}

// The name comes from the controller: escaped, it can neither break the line nor steer a terminal.
std::string RecordLine(const VoiceFileInfo& record)
{
    return Format("ADPCM #%d. File Info Read Ok. File Name : %s. File Size : %d. File Address : 0x%x", record.index,
                  PrintableName(record.Name()).c_str(), static_cast<int>(record.size), record.address);
}

// The areas of a voice set and the sector count of the erase's progress display.
struct VoiceAreas {
    const uint8_t* info;
    uint32_t infoSize;
    const uint8_t* data;
    uint32_t dataSize;
    uint32_t sectorCount;
};

// Erase, the data area from 0x2000, the info table at 0.
bool SendAreas(CDownload_Function& link, const VoiceAreas& areas, const StopRequest& stop, std::string& finalText)
{
    Reporter& window = link.Window();
    window.ReportLogLine("Download Start Command Send. Flash Initialize");
    window.ReportProgress(0, "Wait. Flash Initializing");
    if (!link.InitVoiceFlash(static_cast<int>(areas.sectorCount))) {
        link.Sleep(kEraseFailPauseMs);
        finalText = "Flash Initialize Fail";
        return false;
    }
    if (StopEndsJob(stop, finalText))
        return false;
    window.ReportLogLine("File Data Send Start");
    if (!link.WriteVoiceArea(areas.data, kVoiceDataAddress, areas.dataSize, "ADPCM Data", stop, kVoiceDataArea)) {
        finalText = "File Data Send Fail";
        return false;
    }
    if (StopEndsJob(stop, finalText))
        return false;
    window.ReportLogLine("File Info Send Start");
    if (!link.WriteVoiceArea(areas.info, 0, areas.infoSize, "File Info", stop, kVoiceInfoArea)) {
        finalText = "File Info Send Fail";
        return false;
    }
    finalText = "File Download Complete";
    return true;
}

bool BackupRecord(CDownload_Function& link, const std::filesystem::path& folder, int slot, const StopRequest& stop,
                  std::vector<std::filesystem::path>& written, std::string& finalText, VoiceBackupRows& rows)
{
    VoiceFileInfo record;
    if (!link.ReadVoiceFileInfo(slot, record)) {
        finalText = Format("ADPCM #%d. File Info Read Fail", slot);
        return false;
    }
    if (StopEndsJob(stop, finalText))
        return false;
    if (!record.IsValid()) {
        finalText = Format("ADPCM #%d. File Info Invalid.", slot);
        return false;
    }
    const std::filesystem::path target = VoiceBackupPath(folder, record, written);
    link.Window().ReportLogLine(Format("ADPCM #%d. File Data Read Start.", record.index));
    if (!link.BackupVoiceFile(record.size, target, record.address, record.sampleRate, PrintableName(record.Name()),
                              stop)) {
        finalText = Format("ADPCM #%d. File Data Read Fail.", record.index);
        return false;
    }
    link.Window().ReportLogLine(Format("ADPCM #%d. File Data Read Ok.", record.index));
    written.push_back(target);
    rows.BackedUp(record, target);
    return true;
}

}  // namespace

bool ReadFlashInformation(CDownload_Function& link, VoiceFlashInfo& info, std::string& failText)
{
    if (!link.ReadVoiceFlashInfo(info)) {
        failText = "Flash Version Read Fail";
        return false;
    }
    link.Window().ReportLogLine(
        Format("ExFlash Version Read. Sector Size:0x%x.  Flash Size:0x%x. Sector Count:0x%x,  Voice Version:%d",
               info.sectorSize, info.flashSize, info.sectorCount, static_cast<int>(info.voiceDataVersion)));
    return true;
}

bool ReadVoiceFileList(CDownload_Function& link, const StopRequest& stop, std::vector<VoiceFileInfo>& records,
                       std::string& failText)
{
    Reporter& window = link.Window();
    window.ReportLogLine("ADPCM File List Read Start");
    records.clear();
    for (int slot = 0; slot < static_cast<int>(kMaxVoiceFiles); ++slot) {
        if (StopEndsJob(stop, failText))
            return false;
        window.ReportLogLine(Format("ADPCM #%d. File Info Read Start.", slot));
        VoiceFileInfo record;
        // A record that cannot be read is no end of the table: the list, and a backup after it, would lack the rest.
        if (!link.ReadVoiceFileInfo(slot, record)) {
            failText = Format("ADPCM #%d. File Info Read Fail", slot);
            return false;
        }
        if (!record.IsValid()) {
            window.ReportLogLine(Format("ADPCM #%d. File Info Invalid.", slot));
            break;
        }
        window.ReportLogLine(RecordLine(record));
        records.push_back(record);
    }
    return true;
}

JobOutcome ListVoiceFiles(CDownload_Function& link, const StopRequest& stop, std::vector<VoiceFileInfo>& records,
                          const char* rfQuestion, VoiceFlashInfo* flashRead)
{
    std::string failText;
    VoiceFlashInfo flash;
    if (!SwitchRfOff(link, rfQuestion ? rfQuestion : kVoiceDataRfQuestion, failText) ||
        !ReadFlashInformation(link, flash, failText))
        return JobOutcome::Failure(failText);
    if (flashRead)
        *flashRead = flash;
    if (!ReadVoiceFileList(link, stop, records, failText))
        return JobOutcome::Failure(failText);
    return JobOutcome::Success("File List Read Complete");
}

namespace {

bool SendVoiceBundle(CDownload_Function& link, const std::filesystem::path& bundlePath, const StopRequest& stop,
                     std::string& finalText)
{
    VoiceBundle bundle;
    if (!CheckVoiceBundle(bundlePath, std::nullopt, true, link.Window(), bundle, finalText))
        return false;
    if (!SwitchRfOff(link, kVoiceDataRfQuestion, finalText) || StopEndsJob(stop, finalText))
        return false;
    VoiceFlashInfo flash;
    if (!ReadFlashInformation(link, flash, finalText))
        return false;
    if (bundle.header.voiceDataVersion != flash.voiceDataVersion) {
        link.Window().ReportLogLine("Voice Data Version Mismatch");
        link.Window().ReportLogLine(Format("Voice File Version : %d, Controller Voice Data Version : %d",
                                           static_cast<int>(bundle.header.voiceDataVersion),
                                           static_cast<int>(flash.voiceDataVersion)));
        finalText = "Voice Data Version Mismatch";
        return false;
    }
    if (!BundleFitsFlash(bundle.header, flash.flashSize)) {
        finalText = "Flash Memory Not Enough";
        return false;
    }
    link.Window().ReportLogLine(Format("Voice File Version : %d", static_cast<int>(bundle.header.voiceDataVersion)));
    if (StopEndsJob(stop, finalText))
        return false;
    const VoiceAreas areas{bundle.info.data(), bundle.header.infoSize, bundle.data.data(), bundle.header.dataSize,
                           flash.sectorCount};
    return SendAreas(link, areas, stop, finalText);
}

bool SendSounds(CDownload_Function& link, const std::vector<VoiceSource>& sounds, uint32_t voiceDataVersion,
                const VoiceModel& model, const StopRequest& stop, std::string& finalText, VoiceBuildRows* rows)
{
    VoiceFlashInfo flash;
    if (!SwitchRfOff(link, kSoundDataRfQuestion, finalText) || StopEndsJob(stop, finalText) ||
        !ReadFlashInformation(link, flash, finalText) || StopEndsJob(stop, finalText))
        return false;
    VoiceImage image;
    const uint32_t flashSize = std::min(model.flashSize, flash.flashSize);
    if (!BuildVoiceImage(sounds, kVoiceResolution, flashSize, stop, link.Window(), image, finalText, rows) ||
        StopEndsJob(stop, finalText))
        return false;
    WriteVersionSlot(image.info.data(), voiceDataVersion, model.modelCode);
    const VoiceAreas areas{image.info.data(), kVoiceInfoTableSize, image.data.data(),
                           static_cast<uint32_t>(image.data.size()), model.sectorCount};
    return SendAreas(link, areas, stop, finalText);
}

bool BackupRecords(CDownload_Function& link, const std::filesystem::path& folder, const StopRequest& stop,
                   std::vector<std::filesystem::path>& written, std::string& finalText, VoiceBackupRows& rows)
{
    std::vector<VoiceFileInfo> records;
    if (!SwitchRfOff(link, kSoundDataRfQuestion, finalText))
        return false;
    const bool listed = ReadVoiceFileList(link, stop, records, finalText);
    rows.Listed(records);
    if (!listed || StopEndsJob(stop, finalText))
        return false;
    link.Window().ReportLogLine("ADPCM Backup Start");
    for (size_t slot = 0; slot < records.size(); ++slot) {
        if (StopEndsJob(stop, finalText))
            return false;
        rows.MarkRow(slot, kRowStarted);
        if (!BackupRecord(link, folder, static_cast<int>(slot), stop, written, finalText, rows)) {
            if (finalText != kStopText)
                rows.MarkRow(slot, kRowFailed);
            return false;
        }
        rows.MarkRow(slot, kRowPlaced);
    }
    finalText = "File Backup Complete";
    return true;
}

}  // namespace

JobOutcome DownloadVoiceBundle(CDownload_Function& link, const std::filesystem::path& bundlePath,
                               const StopRequest& stop)
{
    std::string finalText;
    const bool sent = SendVoiceBundle(link, bundlePath, stop, finalText);
    return JobOutcome::Ended(sent, finalText);
}

JobOutcome SendVoiceSounds(CDownload_Function& link, const std::vector<VoiceSource>& sounds, uint32_t voiceDataVersion,
                           const VoiceModel& model, const StopRequest& stop, VoiceBuildRows* rows)
{
    std::string finalText;
    const bool sent = SendSounds(link, sounds, voiceDataVersion, model, stop, finalText, rows);
    return JobOutcome::Ended(sent, finalText);
}

JobOutcome BackupVoiceFiles(CDownload_Function& link, const std::filesystem::path& folder, const StopRequest& stop,
                            std::vector<std::filesystem::path>& written, VoiceBackupRows* rows)
{
    std::string finalText;
    VoiceBackupRows none;
    const bool backedUp = BackupRecords(link, folder, stop, written, finalText, rows ? *rows : none);
    return JobOutcome::Ended(backedUp, finalText);
}

std::filesystem::path VoiceBackupPath(const std::filesystem::path& folder, const VoiceFileInfo& record,
                                      const std::vector<std::filesystem::path>& written)
{
    std::string name = record.Name().empty() ? "NONAME" : FileSafeName(record.Name());
    const auto taken = [&] {
        return std::find(written.begin(), written.end(), folder / (name + ".apm")) != written.end();
    };
    // Two sounds of one name must not end in one file.
    while (taken())
        name += Format("_%d", record.index);
    return folder / (name + ".apm");
}

}  // namespace skarnel
