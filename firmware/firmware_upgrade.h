#pragma once

#include "base/job.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace skarnel {

class CDownload_Function;
class ProductLines;

struct FirmwareUpgradeRequest {
    std::string firmwarePath;
    uint32_t bootIncluded = 0;  // the file's BootIncluded as it was checked when chosen
    // Where the models are saved when the new firmware changes their layout.
    std::filesystem::path backupPath;
};

// The whole upgrade on an open link: the conversion check and the backup it asks for, then
// each image (boot loader, ST boot loader, application as the file says) with its checks and
// questions, then the restore of the backup converted to the new layout. Every step is logged
// to the link's window; the product lines, when given, show what the controller said.
JobOutcome FirmwareUpgradeJob(CDownload_Function& link, const FirmwareUpgradeRequest& request,
                              ProductLines* lines = nullptr);

// The system backup file in the application's folder; empty without a folder, so that a
// backup then fails instead of landing wherever the process happens to run.
std::filesystem::path SystemBackupPath(const std::filesystem::path& applicationFolder);

// What ends every upgrade: the line after the final text and the title of its box.
inline constexpr const char* kFirmwareJobStop = "Download Process Stop";
inline constexpr const char* kFirmwareFinishTitle = "Download";
inline constexpr const char* kFirmwareJobStart = "Download Process Start!!";

}  // namespace skarnel
