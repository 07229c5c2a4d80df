#pragma once

#include "base/job.h"
#include "sdcard/sd_entry.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace skarnel {

class CDownload_Function;

inline constexpr size_t kSdTransferBlockSize = 2048;
inline constexpr size_t kMaxTransferFiles = 100;

// Stops the controller's logging, initialises the card and reads its space. Empty on
// success, else the text of the step that failed.
std::string StartSdCard(CDownload_Function& link, uint32_t& totalKbyte, uint32_t& freeKbyte);

enum class SdListing { Listed, OpenFailed, ReadFailed };

// Opens a card folder and reads its entries up to the empty one. On ReadFailed the entries
// read so far are kept and `result` holds the card's result code (or kSdResultNone).
SdListing ListSdFolder(CDownload_Function& link, const std::string& folder, std::vector<SdEntry>& entries,
                       uint8_t& result);

// Asks the card for the size of each file entry; the first status that fails ends the asking.
void ReadSdFileSizes(CDownload_Function& link, const std::string& folder, std::vector<SdEntry>& entries);

enum class SdTransferEnd { Success, Failed, Stopped };

// Copies card files of one folder into a PC folder. Each copy is written beside its target
// and moved over it only when complete; a name that cannot be a PC file name is refused.
SdTransferEnd CopySdToPc(CDownload_Function& link, const std::string& sdFolder, const std::vector<std::string>& names,
                         const std::filesystem::path& pcFolder, const StopRequest& stopRequest);
// Copies PC files into a card folder under their own names.
SdTransferEnd CopyPcToSd(CDownload_Function& link, const std::vector<std::filesystem::path>& files,
                         const std::string& sdFolder, const StopRequest& stopRequest);

// The copy jobs of the SD card view and the command line: the box says how the copy ended; a
// copy the user stopped ends without one.
JobOutcome SdToPcJob(CDownload_Function& link, const std::string& sdFolder, const std::vector<std::string>& names,
                     const std::filesystem::path& pcFolder, const StopRequest& stopRequest);
JobOutcome PcToSdJob(CDownload_Function& link, const std::vector<std::filesystem::path>& files,
                     const std::string& sdFolder, const StopRequest& stopRequest);

}  // namespace skarnel
