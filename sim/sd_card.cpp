#include "sim/sd_card.h"

#include "link/controller_text.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <fstream>
#include <system_error>

namespace skarnel::sim {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSeedStamp = "1103271530";
// Files larger than this stay out of a served folder: the card is held in memory.
constexpr uintmax_t kMaxServedFileSize = 16u << 20;

bool IsRefusedName(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return true;
    return std::any_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return c == '\\' || byte < 0x20 || byte == 0x7F;
    });
}

// The card keeps a Latin-1 byte a character; a PC name it cannot hold that way stays out.
std::optional<std::string> CardName(const std::string& diskName)
{
    std::string name = LowBytesOfCharacters(diskName);
    if (Latin1ToUtf8(name) != diskName)
        return std::nullopt;
    return name;
}

std::string Parent(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string ChildPrefix(const std::string& folder)
{
    return folder == "/" ? folder : folder + "/";
}

std::vector<uint8_t> Pattern(size_t size, uint32_t seed)
{
    std::vector<uint8_t> bytes(size);
    uint32_t x = seed * 2654435761u + 1;
    for (uint8_t& byte : bytes) {
        x = x * 1103515245u + 12345u;
        byte = static_cast<uint8_t>(x >> 16);
    }
    return bytes;
}

std::vector<uint8_t> Text(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::string FileStamp(const fs::path& path)
{
    std::error_code error;
    const auto written = fs::last_write_time(path, error);
    if (error)
        return kSeedStamp;
    const auto system =
        std::chrono::system_clock::now() +
        std::chrono::duration_cast<std::chrono::system_clock::duration>(written - fs::file_time_type::clock::now());
    const std::time_t time = std::chrono::system_clock::to_time_t(system);
    std::tm local{};
    localtime_r(&time, &local);
    char stamp[16];
    std::strftime(stamp, sizeof stamp, "%Y%m%d%H%M", &local);
    return std::string(stamp).substr(2);
}

}  // namespace

SdCard::SdCard()
{
    nodes_["/"] = {true, {}, kSeedStamp};
    for (const char* folder : {"/LogData", "/Models", "/VoiceFile", "/Models/Old"})
        nodes_[folder] = {true, {}, kSeedStamp};
    nodes_["/LogData/x.cld"] = {false, Pattern(4097, 1), "1103271531"};
    nodes_["/LogData/20110327.bin"] = {false, Pattern(4096, 2), "1103271545"};
    nodes_["/Models/hALPHA01.mdl"] = {false, Pattern(8192, 3), "1104021210"};
    nodes_["/Models/Old/aCUB02.mdl"] = {false, Pattern(8192, 4), "1012241800"};
    nodes_["/VoiceFile/voice.vdf"] = {false, Pattern(1234567, 5), "1105010900"};
    nodes_["/readme.txt"] = {false, Text("Simulated controller SD card\r\n"), kSeedStamp};
    nodes_["/empty.txt"] = {false, {}, kSeedStamp};
}

bool SdCard::ServeFolder(const fs::path& root, std::string& error)
{
    std::error_code failure;
    const fs::path canonical = fs::canonical(root, failure);
    if (failure || !fs::is_directory(canonical)) {
        error = "cannot serve " + root.string() + " as the SD card: not a folder";
        return false;
    }
    nodes_.clear();
    nodes_["/"] = {true, {}, FileStamp(canonical)};
    root_ = canonical;
    Load(canonical, "/");
    return true;
}

void SdCard::Load(const fs::path& folder, const std::string& path)
{
    std::error_code failure;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, failure)) {
        const std::optional<std::string> name = CardName(entry.path().filename().string());
        const fs::file_status status = entry.symlink_status(failure);
        if (failure || !name || IsRefusedName(*name) || fs::is_symlink(status))
            continue;
        const std::string child = ChildPrefix(path) + *name;
        if (fs::is_directory(status)) {
            nodes_[child] = {true, {}, FileStamp(entry.path())};
            Load(entry.path(), child);
        } else if (fs::is_regular_file(status) && entry.file_size(failure) <= kMaxServedFileSize && !failure) {
            std::ifstream file(entry.path(), std::ios::binary);
            std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
            nodes_[child] = {false, std::move(bytes), FileStamp(entry.path())};
        }
    }
}

std::optional<std::string> SdCard::Normalise(const std::string& path)
{
    std::string normal;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string name = path.substr(start, end - start);
        if (!name.empty()) {
            if (IsRefusedName(name))
                return std::nullopt;
            normal += "/" + name;
        }
        start = end + 1;
    }
    return normal.empty() ? "/" : normal;
}

const SdCard::Node* SdCard::Find(const std::string& path) const
{
    const auto found = nodes_.find(path);
    return found == nodes_.end() ? nullptr : &found->second;
}

std::optional<std::vector<SdCard::Entry>> SdCard::List(const std::string& path) const
{
    const Node* folder = Find(path);
    if (!folder || !folder->folder)
        return std::nullopt;
    const std::string prefix = ChildPrefix(path);
    std::vector<Entry> entries;
    for (auto it = nodes_.upper_bound(prefix); it != nodes_.end() && it->first.starts_with(prefix); ++it) {
        const std::string name = it->first.substr(prefix.size());
        if (name.find('/') == std::string::npos)
            entries.push_back({name, &it->second});
    }
    return entries;
}

uint8_t SdCard::ParentCheck(const std::string& path) const
{
    if (path == "/")
        return kSdDenied;
    const Node* parent = Find(Parent(path));
    return parent && parent->folder ? kSdOk : kSdNoPath;
}

uint8_t SdCard::MakeFolder(const std::string& path, const std::string& stamp)
{
    if (const uint8_t check = ParentCheck(path); check != kSdOk)
        return check;
    if (Find(path))
        return kSdExist;
    const std::optional<fs::path> disk = DiskPath(path);
    std::error_code failure;
    if (root_ && (!disk || !fs::create_directory(*disk, failure)))
        return kSdDenied;
    nodes_[path] = {true, {}, stamp};
    return kSdOk;
}

uint8_t SdCard::Delete(const std::string& path)
{
    const Node* node = Find(path);
    if (path == "/")
        return kSdDenied;
    if (!node)
        return kSdNoFile;
    if (node->folder && !List(path)->empty())
        return kSdDenied;
    const std::optional<fs::path> disk = DiskPath(path);
    std::error_code failure;
    if (root_ && (!disk || !fs::remove(*disk, failure)))
        return kSdDenied;
    nodes_.erase(path);
    return kSdOk;
}

uint8_t SdCard::CreateFile(const std::string& path, const std::string& stamp)
{
    if (const uint8_t check = ParentCheck(path); check != kSdOk)
        return check;
    const Node* existing = Find(path);
    if (existing && existing->folder)
        return kSdDenied;
    if (root_ && !DiskPath(path))
        return kSdDenied;
    nodes_[path] = {false, {}, stamp};
    Flush(path);
    return kSdOk;
}

uint8_t SdCard::WriteAt(const std::string& path, size_t offset, const uint8_t* bytes, size_t count)
{
    const auto found = nodes_.find(path);
    if (found == nodes_.end() || found->second.folder)
        return kSdInvalidObject;
    std::vector<uint8_t>& data = found->second.data;
    if (data.size() < offset + count)
        data.resize(offset + count);
    std::copy_n(bytes, count, data.begin() + static_cast<std::ptrdiff_t>(offset));
    return kSdOk;
}

void SdCard::Flush(const std::string& path)
{
    const Node* node = Find(path);
    const std::optional<fs::path> disk = root_ ? DiskPath(path) : std::nullopt;
    if (!node || node->folder || !disk)
        return;
    std::ofstream file(*disk, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(node->data.data()), static_cast<std::streamsize>(node->data.size()));
}

uint32_t SdCard::UsedKbyte() const
{
    uint64_t bytes = 0;
    for (const auto& [path, node] : nodes_)
        bytes += node.data.size();
    return static_cast<uint32_t>(std::min<uint64_t>((bytes + 1023) / 1024, totalKbyte));
}

std::optional<fs::path> SdCard::DiskPath(const std::string& path) const
{
    if (!root_)
        return std::nullopt;
    fs::path disk = *root_;
    size_t start = 1;
    while (start < path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        disk /= Latin1ToUtf8(path.substr(start, end - start));
        std::error_code failure;
        if (fs::is_symlink(fs::symlink_status(disk, failure)))
            return std::nullopt;
        start = end + 1;
    }
    return disk;
}

}  // namespace skarnel::sim
