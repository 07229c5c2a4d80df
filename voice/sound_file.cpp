#include "voice/sound_file.h"

#include "base/byte_order.h"
#include "base/format.h"
#include "base/replacing_file.h"
#include "voice/wave_control.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <system_error>

namespace skarnel {
namespace {

// Stored streams play at two samples a byte against 22050 bytes of 16-bit mono a second.
constexpr float kApmBytesPerSecond = 22050.0f;
constexpr size_t kReadChunkSize = 65536;

std::string LastThreeLowered(const std::filesystem::path& path)
{
    std::string name = path.filename().string();
    name = name.size() >= 3 ? name.substr(name.size() - 3) : name;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    return name;
}

FileMessage WaveRefusal(int result, const std::string& name)
{
    switch (result) {
    case kWaveNotPcm:
        return {Format("File Format Error!! \r\n\r\nFile is not PCM format    \r\n\r\n%s", name.c_str()),
                "File Format Error"};
    case kWaveNotMono:
        return {Format("File Format Error!! \r\n\r\nFile is not Mono Channel format    \r\n\r\n%s", name.c_str()),
                "File Format Error"};
    case kWaveBadSampleRate:
        return {Format("File Format Error!! \r\n\r\nSampling rate is not 11kHz     \r\n\r\n%s", name.c_str()),
                "File Format Error"};
    default: return {Format("File Error!! \r\nNot Wave File    \r\n\r\n%s", name.c_str()), "File Error"};
    }
}

uint64_t FileLength(const std::filesystem::path& path)
{
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(path, error);
    return error ? 0 : size;
}

std::optional<SoundFigures> DescribeWave(const std::filesystem::path& path, FileMessage& message)
{
    SoundFigures figures;
    uint32_t avgBytesPerSec = 0;
    const int result = CWave_Control::CheckWaveFile(path, figures.streamSize, figures.sampleRate, avgBytesPerSec);
    if (result != kWaveAccepted) {
        message = WaveRefusal(result, path.filename().string());
        return std::nullopt;
    }
    figures.size = FileLength(path);
    figures.playTime = avgBytesPerSec ? static_cast<float>(figures.streamSize * 4.0 / avgBytesPerSec) : 0.0f;
    return figures;
}

std::optional<SoundFigures> DescribeApm(const std::filesystem::path& path, FileMessage& message)
{
    const std::string name = path.filename().string();
    const uint64_t length = FileLength(path);
    std::array<uint8_t, AdpcmFileHeader::kSize> bytes{};
    std::ifstream file(path, std::ios::binary);
    if (length <= AdpcmFileHeader::kSize || !file.read(reinterpret_cast<char*>(bytes.data()), bytes.size())) {
        message = {Format("ADPCM File Size Error!! \r\n\r\nFile is not ADPCM File    \r\n\r\n%s", name.c_str()),
                   "File Size Error"};
        return std::nullopt;
    }
    const AdpcmFileHeader header = AdpcmFileHeader::Decode(bytes);
    if (!header.IsValid()) {
        message = {Format("ADPCM File Header Error!! \r\n\r\nFile is not ADPCM File    \r\n\r\n%s", name.c_str()),
                   "File Format Error"};
        return std::nullopt;
    }
    SoundFigures figures;
    figures.size = length;
    figures.streamSize = static_cast<uint32_t>(length - AdpcmFileHeader::kSize);
    figures.playTime = StoredPlayTime(figures.streamSize);
    figures.sampleRate = header.sampleRate;
    return figures;
}

}  // namespace

std::array<uint8_t, AdpcmFileHeader::kSize> AdpcmFileHeader::Encode() const
{
    std::array<uint8_t, kSize> bytes{};
    WriteLe32(bytes.data() + 0, fileMagic);
    WriteLe32(bytes.data() + 4, checkValueA);
    WriteLe32(bytes.data() + 8, checkValueB);
    WriteLe32(bytes.data() + 12, sampleRate);
    return bytes;
}

AdpcmFileHeader AdpcmFileHeader::Decode(std::span<const uint8_t, kSize> bytes)
{
    return {ReadLe32(bytes.data() + 0), ReadLe32(bytes.data() + 4), ReadLe32(bytes.data() + 8),
            ReadLe32(bytes.data() + 12)};
}

bool AdpcmFileHeader::IsValid() const
{
    return fileMagic == FileMagic && checkValueA == kCheckValueA && checkValueB == kCheckValueB;
}

bool IsApmPath(const std::filesystem::path& path)
{
    return LastThreeLowered(path) == "apm";
}

bool IsWavPath(const std::filesystem::path& path)
{
    return LastThreeLowered(path) == "wav";
}

std::optional<SoundFigures> DescribeSoundFile(const std::filesystem::path& path, FileMessage& message)
{
    return IsApmPath(path) ? DescribeApm(path, message) : DescribeWave(path, message);
}

float StoredPlayTime(uint32_t streamSize)
{
    return static_cast<float>(streamSize * 4.0 / kApmBytesPerSecond);
}

std::string PlayTimeText(float seconds)
{
    return Format("%.2f", static_cast<double>(seconds));
}

StreamRead ReadApmStream(const std::filesystem::path& path, uint32_t maxSize, std::vector<uint8_t>& stream)
{
    stream.clear();
    std::ifstream file(path, std::ios::binary);
    std::array<char, AdpcmFileHeader::kSize> header{};
    if (!file.read(header.data(), header.size()))
        return StreamRead::Unreadable;
    std::vector<char> chunk(kReadChunkSize);
    while (file && stream.size() <= maxSize) {
        const uint64_t wanted = std::min<uint64_t>(chunk.size(), uint64_t{maxSize} + 1 - stream.size());
        file.read(chunk.data(), static_cast<std::streamsize>(wanted));
        stream.insert(stream.end(), chunk.begin(), chunk.begin() + file.gcount());
    }
    if (file.bad())
        return StreamRead::Unreadable;
    if (stream.size() <= maxSize)
        return StreamRead::Read;
    stream.clear();
    return StreamRead::TooLong;
}

bool WriteApmFile(const std::filesystem::path& path, uint32_t sampleRate, const std::vector<uint8_t>& stream)
{
    AdpcmFileHeader header;
    header.sampleRate = sampleRate;
    const auto headerBytes = header.Encode();
    ReplacingFile file;
    return file.Create(path) && file.Write(headerBytes.data(), headerBytes.size()) &&
           file.Write(stream.data(), stream.size()) && file.Commit();
}

std::filesystem::path IntermediateCopyPath(const std::filesystem::path& source)
{
    std::filesystem::path copy = source;
    copy += ".bin";
    return copy;
}

bool WriteIntermediateCopy(const std::filesystem::path& source, const std::vector<uint8_t>& stream)
{
    return WriteReplacingFile(IntermediateCopyPath(source), stream.data(), stream.size());
}

}  // namespace skarnel
