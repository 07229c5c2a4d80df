#include "voice/voice_bundle.h"

#include "base/byte_order.h"
#include "base/format.h"
#include "base/replacing_file.h"
#include "base/reporter.h"
#include "link/controller_text.h"
#include "voice/sound_file.h"
#include "voice/wave_control.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <system_error>

namespace skarnel {
namespace {

constexpr uint64_t kCheckValueSum = 255;

// The stream of one sound, no longer than maxSize; the text that stops the build when it
// cannot be read. A stream too long for the room left is refused before it is read whole.
StreamRead ObtainStream(const VoiceSource& sound, int resolution, uint32_t maxSize, Reporter& reporter,
                        std::vector<uint8_t>& stream, std::string& failText)
{
    if (IsApmPath(sound.path)) {
        const StreamRead read = ReadApmStream(sound.path, maxSize, stream);
        if (read == StreamRead::Unreadable)
            failText = "File Open Fail";
        return read;
    }
    CWave_Control wave;
    if (wave.ConvertToAdpcm(sound.path, stream, resolution, maxSize) == 0) {
        if (wave.streamTooLong)
            return StreamRead::TooLong;
        failText = "File Convert Fail";
        return StreamRead::Unreadable;
    }
    reporter.ReportLogLine("File Convert Success");
    WriteIntermediateCopy(sound.path, stream);
    return StreamRead::Read;
}

// The room the flash has left for one more stream behind the info table and the data so far.
uint32_t RoomLeft(uint32_t flashSize, const VoiceImage& image)
{
    const int64_t room = int64_t{flashSize} - kVoiceInfoTableSize - static_cast<int64_t>(image.data.size());
    return static_cast<uint32_t>(std::max<int64_t>(room, 0));
}

VoiceFileInfo PlacedRecord(const VoiceSource& sound, size_t slot, uint32_t size, uint32_t offset)
{
    VoiceFileInfo info = VoiceFileInfo::ForSlot(static_cast<uint16_t>(slot));
    info.size = size;
    info.address = kVoiceDataAddress + offset;
    info.sampleRate = static_cast<uint16_t>(sound.sampleRate);
    info.SetNameFromListed(sound.name);
    return info;
}

bool WriteBundle(ReplacingFile& file, const VoiceImage& image, uint32_t voiceDataVersion, uint32_t modelCode)
{
    VoiceBundleHeader header;
    header.fileCount = image.fileCount;
    header.dataSize = static_cast<uint32_t>(image.data.size());
    header.voiceDataVersion = voiceDataVersion;
    header.modelCode = modelCode;
    std::vector<uint8_t> info = image.info;
    WriteVersionSlot(info.data(), voiceDataVersion, modelCode);
    const auto headerBytes = header.Encode();
    return file.Write(headerBytes.data(), headerBytes.size()) && file.Write(info.data(), info.size()) &&
           file.Write(image.data.data(), image.data.size()) && file.Commit();
}

uint64_t FileLength(const std::filesystem::path& path)
{
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(path, error);
    return error ? 0 : size;
}

// The header's own promises: the table this system writes, no more records than slots, and
// a file that holds everything the header counts.
bool CheckBundleLayout(const std::filesystem::path& path, const VoiceBundleHeader& header, Reporter& reporter,
                       std::string& failText)
{
    if (header.infoSize != kVoiceInfoTableSize || header.fileCount > kMaxVoiceFiles) {
        reporter.ReportLogLine(
            Format("Voice File Info Size : %u, Voice File Count : %u", header.infoSize, header.fileCount));
        failText = "File Header Info Mismatch";
        return false;
    }
    const uint64_t expected = uint64_t{VoiceBundleHeader::kSize} + header.infoSize + header.dataSize;
    const uint64_t length = FileLength(path);
    if (length < expected) {
        reporter.ReportLogLine(Format("Voice File Size : %llu, Expected Size : %llu",
                                      static_cast<unsigned long long>(length),
                                      static_cast<unsigned long long>(expected)));
        failText = "File Size Mismatch";
        return false;
    }
    return true;
}

bool ReadBytes(std::ifstream& file, std::vector<uint8_t>& bytes, size_t size)
{
    bytes.resize(size);
    return static_cast<bool>(file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size)));
}

}  // namespace

std::array<uint8_t, VoiceBundleHeader::kSize> VoiceBundleHeader::Encode() const
{
    std::array<uint8_t, kSize> bytes{};
    const uint32_t fields[] = {fileMagic, checkValueA, checkValueB,      fileCount,
                               infoSize,  dataSize,    voiceDataVersion, modelCode};
    for (size_t k = 0; k < 8; ++k)
        WriteLe32(bytes.data() + 4 * k, fields[k]);
    return bytes;
}

VoiceBundleHeader VoiceBundleHeader::Decode(std::span<const uint8_t, kSize> bytes)
{
    return {ReadLe32(bytes.data() + 0),  ReadLe32(bytes.data() + 4),  ReadLe32(bytes.data() + 8),
            ReadLe32(bytes.data() + 12), ReadLe32(bytes.data() + 16), ReadLe32(bytes.data() + 20),
            ReadLe32(bytes.data() + 24), ReadLe32(bytes.data() + 28)};
}

bool BuildVoiceImage(const std::vector<VoiceSource>& sounds, int resolution, uint32_t flashSize,
                     const StopRequest& stop, Reporter& reporter, VoiceImage& image, std::string& failText,
                     VoiceBuildRows* rows)
{
    VoiceBuildRows noRows;
    VoiceBuildRows& marks = rows ? *rows : noRows;
    image = VoiceImage{};
    if (sounds.size() > kMaxVoiceFiles) {
        failText = "Maximum File Count Over    ";
        return false;
    }
    // A name the controller cannot show is refused before anything is converted or erased; its
    // low bytes would name another sound.
    for (size_t i = 0; i < sounds.size(); ++i) {
        if (!FitsLatin1(sounds[i].name)) {
            failText = Format("File Name Error : %s (only Latin-1 characters)", sounds[i].name.c_str());
            marks.MarkRow(i, kRowFailed);
            return false;
        }
    }
    for (size_t i = 0; i < sounds.size(); ++i) {
        if (stop.Requested()) {
            failText = "Thread Stop Flag Set";
            return false;
        }
        reporter.ReportLogLine(Format("%d/%d: %s. File Convert Start", static_cast<int>(i + 1),
                                      static_cast<int>(sounds.size()), sounds[i].name.c_str()));
        marks.MarkRow(i, kRowStarted);
        std::vector<uint8_t> stream;
        const StreamRead read =
            ObtainStream(sounds[i], resolution, RoomLeft(flashSize, image), reporter, stream, failText);
        const bool obtained = read != StreamRead::Unreadable;
        const bool fits = read == StreamRead::Read && int64_t{kVoiceInfoTableSize} +
                                                              static_cast<int64_t>(image.data.size()) +
                                                              static_cast<int64_t>(stream.size()) <=
                                                          int64_t{flashSize};
        if (!fits) {
            if (obtained)
                failText = "Flash Memory Not Enough";
            if (!IsApmPath(sounds[i].path) || obtained)
                marks.MarkRow(i, kRowFailed);
            return false;
        }
        const VoiceFileInfo info =
            PlacedRecord(sounds[i], i, static_cast<uint32_t>(stream.size()), static_cast<uint32_t>(image.data.size()));
        const auto record = info.Encode();
        std::copy(record.begin(), record.end(), image.info.begin() + static_cast<std::ptrdiff_t>(i * record.size()));
        image.data.insert(image.data.end(), stream.begin(), stream.end());
        image.fileCount = static_cast<uint32_t>(i + 1);
        marks.SoundPlaced(i, info);
        marks.MarkRow(i, kRowPlaced);
    }
    return true;
}

bool PackageVoiceBundle(const std::vector<VoiceSource>& sounds, const std::filesystem::path& target,
                        uint32_t voiceDataVersion, uint32_t modelCode, uint32_t flashSize, const StopRequest& stop,
                        Reporter& reporter, std::string& finalText, VoiceBuildRows* rows)
{
    ReplacingFile file;
    if (!file.Create(target)) {
        finalText = "Target File Create - Fail";
        return false;
    }
    VoiceImage image;
    if (stop.Requested()) {
        finalText = "Thread Stop Flag Set";
        return false;
    }
    if (!BuildVoiceImage(sounds, kVoiceResolution, flashSize, stop, reporter, image, finalText, rows))
        return false;
    if (stop.Requested()) {
        finalText = "Thread Stop Flag Set";
        return false;
    }
    reporter.ReportLogLine("File Header Create");
    if (!WriteBundle(file, image, voiceDataVersion, modelCode)) {
        finalText = "Target File Write - Fail";
        return false;
    }
    finalText = "Bundle File Make Success";
    return true;
}

std::vector<VoiceFileInfo> VoiceBundle::Records() const
{
    std::vector<VoiceFileInfo> records;
    const size_t count = std::min<size_t>({header.fileCount, kMaxVoiceFiles, info.size() / VoiceFileInfo::kSize});
    for (size_t i = 0; i < count; ++i)
        records.push_back(VoiceFileInfo::Decode(RecordAt<VoiceFileInfo::kSize>(info, i * VoiceFileInfo::kSize)));
    return records;
}

bool CheckVoiceBundle(const std::filesystem::path& path, std::optional<uint32_t> controllerVersion, bool readData,
                      Reporter& reporter, VoiceBundle& bundle, std::string& failText)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        failText = "File Open Fail";
        return false;
    }
    std::array<uint8_t, VoiceBundleHeader::kSize> bytes{};
    file.read(reinterpret_cast<char*>(bytes.data()), bytes.size());
    bundle.header = VoiceBundleHeader::Decode(bytes);
    const VoiceBundleHeader& header = bundle.header;
    if (header.fileMagic != FileMagic) {
        failText = "File Header Flag Mismatch";
        return false;
    }
    if (uint64_t{header.checkValueA} + header.checkValueB != kCheckValueSum) {
        failText = "File Header Check Value Mismatch";
        return false;
    }
    if (controllerVersion && header.voiceDataVersion != *controllerVersion) {
        reporter.ReportLogLine("Voice Data Version Mismatch");
        reporter.ReportLogLine(Format("Voice File Version : %d, Controller Voice Data Version : %d",
                                      static_cast<int>(header.voiceDataVersion), static_cast<int>(*controllerVersion)));
        failText = "Voice Data Version Mismatch";
        return false;
    }
    if (!CheckBundleLayout(path, header, reporter, failText))
        return false;
    if (!ReadBytes(file, bundle.info, header.infoSize) ||
        (readData && !ReadBytes(file, bundle.data, header.dataSize))) {
        failText = "File Open Fail";
        return false;
    }
    // The Send job logs the version itself once the controller's has been compared.
    if (!readData)
        reporter.ReportLogLine(Format("Voice File Version : %d, Voice File Count : %d",
                                      static_cast<int>(header.voiceDataVersion), static_cast<int>(header.fileCount)));
    return true;
}

std::filesystem::path BundleFileName(const std::filesystem::path& chosen)
{
    std::string name = chosen.filename().string();
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    if (name.find(".vdf", 1) != std::string::npos)
        return chosen;
    std::filesystem::path withExtension = chosen;
    withExtension += ".vdf";
    return withExtension;
}

bool BundleFitsFlash(const VoiceBundleHeader& header, uint32_t flashSize)
{
    return int64_t{header.dataSize} + kVoiceInfoTableSize <= int64_t{flashSize} - kVoiceInfoTableSize;
}

}  // namespace skarnel
