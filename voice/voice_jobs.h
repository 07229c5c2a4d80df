#pragma once

#include "base/job.h"

#include "voice/voice_bundle.h"
#include "voice/voice_file_info.h"

#include <filesystem>
#include <string>
#include <vector>

namespace skarnel {

class CDownload_Function;
struct VoiceFlashInfo;

// The voice jobs that talk to the controller. Each runs on the job's thread with an open
// link, asks whether RF may be switched off, pauses RF, then talks to the voice flash; it
// reports every step to the link's window and ends with its outcome.

// Reads the flash information and logs it; false after "Flash Version Read Fail".
bool ReadFlashInformation(CDownload_Function& link, VoiceFlashInfo& info, std::string& failText);
// Reads the info table from slot 0 up to the first invalid record (the File List loop); false
// when a record cannot be read, with the records read before it.
bool ReadVoiceFileList(CDownload_Function& link, const StopRequest& stop, std::vector<VoiceFileInfo>& records,
                       std::string& failText);

// The File List job; the Sound Data view asks its own RF question. The flash information read
// goes to flashRead when given.
JobOutcome ListVoiceFiles(CDownload_Function& link, const StopRequest& stop, std::vector<VoiceFileInfo>& records,
                          const char* rfQuestion = nullptr, VoiceFlashInfo* flashRead = nullptr);
// The Send job of a voice bundle: refused before anything is erased when the bundle's voice
// data version is not the controller's.
JobOutcome DownloadVoiceBundle(CDownload_Function& link, const std::filesystem::path& bundlePath,
                               const StopRequest& stop);
// The Send job of a list of sounds. The image is built before anything is erased, so a sound
// that cannot be converted or does not fit leaves the controller's voices as they were; it
// must fit the model's flash and the flash the controller reports.
JobOutcome SendVoiceSounds(CDownload_Function& link, const std::vector<VoiceSource>& sounds, uint32_t voiceDataVersion,
                           const VoiceModel& model, const StopRequest& stop, VoiceBuildRows* rows = nullptr);
// Told about the File Backup's steps, so that a view can list the sounds and mark them.
class VoiceBackupRows {
public:
    virtual ~VoiceBackupRows() = default;
    virtual void Listed(const std::vector<VoiceFileInfo>&) {}
    virtual void MarkRow(size_t, const char*) {}
    virtual void BackedUp(const VoiceFileInfo&, const std::filesystem::path&) {}
};

// The File Backup job: every stored sound into "<name>.apm" in folder; the paths written.
JobOutcome BackupVoiceFiles(CDownload_Function& link, const std::filesystem::path& folder, const StopRequest& stop,
                            std::vector<std::filesystem::path>& written, VoiceBackupRows* rows = nullptr);

// The file a stored sound is backed up to: its name made safe for a file name, "NONAME" for
// an empty one, and "_<index>" added while a file written earlier by the same backup has it.
std::filesystem::path VoiceBackupPath(const std::filesystem::path& folder, const VoiceFileInfo& record,
                                      const std::vector<std::filesystem::path>& written = {});

// The questions before RF is switched off.
inline constexpr const char* kSoundDataRfQuestion =
    "Warning! Switch-OFF your RC-model!  \r\nRF will be switched OFF. \r\n\r\n Continue?";
inline constexpr const char* kVoiceDataRfQuestion =
    "Warning! Switch-OFF your RC-model!  \r\n\r\nRF will be switched OFF. \r\n\r\n\r\n\r\n Continue?";

}  // namespace skarnel
