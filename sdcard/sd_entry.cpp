#include "sdcard/sd_entry.h"

#include "link/controller_text.h"
#include "base/file_safe_name.h"
#include "base/format.h"

namespace skarnel {
namespace {

std::string Part(const std::string& text, size_t offset, size_t count)
{
    return offset < text.size() ? text.substr(offset, count) : std::string();
}

}  // namespace

SdEntry ParseSdEntry(const std::string& text)
{
    SdEntry entry;
    entry.attributes = Part(text, 0, 2);
    entry.date = "20" + Part(text, 2, 2) + "-" + Part(text, 4, 2) + "-" + Part(text, 6, 2);
    entry.time = Part(text, 8, 2) + ":" + Part(text, 10, 2);
    entry.name = Latin1ToUtf8(Part(text, 12, std::string::npos));
    return entry;
}

std::vector<SdEntry> SdFileRows(const std::string& folder, const std::vector<SdEntry>& entries)
{
    std::vector<SdEntry> rows;
    for (const SdEntry& entry : entries)
        if (folder == "/" ? !entry.IsFolder() : entry.IsFile())
            rows.push_back(entry);
    return rows;
}

std::string SdChildPath(const std::string& folder, const std::string& name)
{
    if (folder.empty() || folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

bool IsPcSafeName(const std::string& name)
{
    return !name.empty() && name != "." && FileSafeName(name) == name;
}

std::string GroupedSizeText(uint64_t size)
{
    std::string digits = std::to_string(size);
    for (size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, ",");
    return digits;
}

std::string DiskSpaceText(uint32_t totalKbyte, uint32_t freeKbyte)
{
    return Format("Disk Space - Total : %d kbyte  Free : %d kbyte", static_cast<int>(totalKbyte),
                  static_cast<int>(freeKbyte));
}

int UsedPercent(uint32_t totalKbyte, uint32_t freeKbyte)
{
    if (totalKbyte == 0 || freeKbyte >= totalKbyte)
        return 0;
    return static_cast<int>((static_cast<int64_t>(totalKbyte) - freeKbyte) * 100 / totalKbyte);
}

}  // namespace skarnel
