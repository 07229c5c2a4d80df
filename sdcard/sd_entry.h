#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace skarnel {

// One entry of a card folder listing: attributes (2), date YYMMDD (6), time HHMM (4), name
// (a byte a character).
struct SdEntry {
    std::string attributes;
    std::string date;              // "20YY-MM-DD"
    std::string time;              // "HH:MM"
    std::string name;              // UTF-8
    std::optional<uint32_t> size;  // asked for separately, files only

    bool IsFolder() const { return !attributes.empty() && attributes[0] == 'D'; }
    bool IsFile() const { return attributes == "-A"; }
};

SdEntry ParseSdEntry(const std::string& text);

// The entries a folder shows as file rows: in the root every entry that is no folder, elsewhere
// only the files.
std::vector<SdEntry> SdFileRows(const std::string& folder, const std::vector<SdEntry>& entries);

// "/" + name in the root, folder + "/" + name elsewhere.
std::string SdChildPath(const std::string& folder, const std::string& name);
// A card name that can stand as a file name on the PC as it is: not empty, not "." or "..",
// no separators and no control characters.
bool IsPcSafeName(const std::string& name);
// 1234567 as "1,234,567".
std::string GroupedSizeText(uint64_t size);
// "Disk Space - Total : %d kbyte  Free : %d kbyte"
std::string DiskSpaceText(uint32_t totalKbyte, uint32_t freeKbyte);
// The used share in percent; 0 for a card that reports no size.
int UsedPercent(uint32_t totalKbyte, uint32_t freeKbyte);

}  // namespace skarnel
