#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace skarnel::sim {

// Result codes of the card's file system.
enum SdResult : uint8_t {
    kSdOk = 0,
    kSdNoFile = 2,
    kSdNoPath = 3,
    kSdInvalidName = 4,
    kSdDenied = 6,
    kSdExist = 7,
    kSdRwError = 8,
    kSdInvalidObject = 12,
};

// The controller's SD card: a small tree of folders and files held in memory. Paths use "/"
// and are taken apart into names, kept as the bytes that came (a Latin-1 byte a character); a
// name that is empty, "." or "..", or holds "\" or a control character is refused, so nothing
// reaches outside the card. Served from a PC folder, the card loads that folder's regular files
// and folders (symbolic links, and names with characters Latin-1 lacks, are left out) and writes
// every change back into it, the names in UTF-8.
class SdCard {
public:
    struct Node {
        bool folder = false;
        std::vector<uint8_t> data;
        std::string stamp;  // YYMMDDHHMM
    };
    struct Entry {
        std::string name;
        const Node* node;
    };

    SdCard();  // seeded with a few folders and files
    // Serves the folder; false with a reason when it cannot be read.
    bool ServeFolder(const std::filesystem::path& root, std::string& error);

    // The normalised form "/a/b" of a path, or nothing for a refused one.
    static std::optional<std::string> Normalise(const std::string& path);

    const Node* Find(const std::string& path) const;
    // The entries of a folder in name order; nothing when it is not a folder.
    std::optional<std::vector<Entry>> List(const std::string& path) const;
    uint8_t MakeFolder(const std::string& path, const std::string& stamp);
    uint8_t Delete(const std::string& path);
    // Creates an empty file, or empties an existing one.
    uint8_t CreateFile(const std::string& path, const std::string& stamp);
    uint8_t WriteAt(const std::string& path, size_t offset, const uint8_t* bytes, size_t count);
    // Writes the file into the served folder, if any.
    void Flush(const std::string& path);

    uint32_t totalKbyte = 15000;
    uint32_t UsedKbyte() const;

private:
    // Where a normalised path lies under the served folder; nothing when a part of the way
    // there is a symbolic link.
    std::optional<std::filesystem::path> DiskPath(const std::string& path) const;
    uint8_t ParentCheck(const std::string& path) const;
    void Load(const std::filesystem::path& folder, const std::string& path);

    std::map<std::string, Node> nodes_;
    std::optional<std::filesystem::path> root_;
};

}  // namespace skarnel::sim
