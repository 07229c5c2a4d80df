#pragma once

#include "base/file_magic.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace skarnel {

class Reporter;

// The 32-byte header of a sound file (.apm); the ADPCM stream follows it to the end.
struct AdpcmFileHeader {
    static constexpr size_t kSize = 32;
    static constexpr uint32_t kCheckValueA = 254;
    static constexpr uint32_t kCheckValueB = 1;

    uint32_t fileMagic = FileMagic;
    uint32_t checkValueA = kCheckValueA;
    uint32_t checkValueB = kCheckValueB;
    uint32_t sampleRate = 0;

    std::array<uint8_t, kSize> Encode() const;
    static AdpcmFileHeader Decode(std::span<const uint8_t, kSize> bytes);
    bool IsValid() const;
};

// What the voice views show for a sound file on the PC.
struct SoundFigures {
    uint64_t size = 0;        // file length
    uint32_t streamSize = 0;  // the ADPCM bytes it gives or holds
    float playTime = 0;       // seconds
    uint32_t sampleRate = 0;
};

// A message box of the file selection: its text and caption.
struct FileMessage {
    std::string text;
    std::string caption;
};

// Whether a path names a sound file by its last three characters, as the views tell them apart.
bool IsApmPath(const std::filesystem::path& path);
bool IsWavPath(const std::filesystem::path& path);

// Checks a WAV or .apm file as the file selection does. On refusal, message holds its box.
std::optional<SoundFigures> DescribeSoundFile(const std::filesystem::path& path, FileMessage& message);
// The play time of a stored stream (an .apm file's or a controller record's), in seconds.
float StoredPlayTime(uint32_t streamSize);
// The play time the views show, "%.2f".
std::string PlayTimeText(float seconds);

// What reading a sound's stream gave.
enum class StreamRead { Read, Unreadable, TooLong };

// Reads the stream of an .apm file (everything after its header). A stream longer than
// maxSize is TooLong, found by reading no more than one byte past it, so that neither a huge
// file nor one that grows while it is read is taken whole.
StreamRead ReadApmStream(const std::filesystem::path& path, uint32_t maxSize, std::vector<uint8_t>& stream);
// Writes an .apm file: header with the sample rate, zero reserved bytes, the stream.
bool WriteApmFile(const std::filesystem::path& path, uint32_t sampleRate, const std::vector<uint8_t>& stream);
// The raw copy of a converted stream, "%s.bin" beside its source; false when it was not written.
std::filesystem::path IntermediateCopyPath(const std::filesystem::path& source);
bool WriteIntermediateCopy(const std::filesystem::path& source, const std::vector<uint8_t>& stream);

}  // namespace skarnel
