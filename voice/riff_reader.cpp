#include "voice/riff_reader.h"

#include "base/byte_order.h"

#include <algorithm>
#include <cstring>

namespace skarnel {
namespace {

constexpr uint64_t kChunkHeaderSize = 8;
constexpr uint64_t kFormTypeSize = 4;

struct ChunkHeader {
    char id[4];
    uint64_t size;
    uint64_t dataOffset;
};

std::optional<ChunkHeader> ReadChunkHeader(std::istream& file, uint64_t offset, uint64_t end)
{
    if (offset + kChunkHeaderSize > end)
        return std::nullopt;
    uint8_t bytes[kChunkHeaderSize];
    file.clear();
    file.seekg(static_cast<std::streamoff>(offset));
    if (!file.read(reinterpret_cast<char*>(bytes), sizeof bytes))
        return std::nullopt;
    ChunkHeader header{};
    std::memcpy(header.id, bytes, 4);
    header.size = ReadLe32(bytes + 4);
    header.dataOffset = offset + kChunkHeaderSize;
    return header;
}

// Chunks are padded to an even length.
uint64_t NextChunkOffset(const ChunkHeader& chunk)
{
    return chunk.dataOffset + chunk.size + (chunk.size & 1);
}

bool IsChunk(const ChunkHeader& chunk, const char* id)
{
    return std::memcmp(chunk.id, id, 4) == 0;
}

std::optional<ChunkHeader> FindChunk(std::istream& file, uint64_t offset, uint64_t end, const char* id)
{
    for (auto chunk = ReadChunkHeader(file, offset, end); chunk; chunk = ReadChunkHeader(file, offset, end)) {
        if (IsChunk(*chunk, id))
            return chunk;
        offset = NextChunkOffset(*chunk);
    }
    return std::nullopt;
}

bool HasWaveForm(std::istream& file, const ChunkHeader& riff)
{
    char form[kFormTypeSize];
    file.clear();
    file.seekg(static_cast<std::streamoff>(riff.dataOffset));
    return riff.size >= kFormTypeSize && file.read(form, sizeof form) && std::memcmp(form, "WAVE", 4) == 0;
}

std::optional<ChunkHeader> FindWaveRiff(std::istream& file, uint64_t fileSize)
{
    uint64_t offset = 0;
    while (auto riff = FindChunk(file, offset, fileSize, "RIFF")) {
        if (HasWaveForm(file, *riff))
            return riff;
        offset = NextChunkOffset(*riff);
    }
    return std::nullopt;
}

uint64_t FileSize(std::istream& file)
{
    file.clear();
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    return size > 0 ? static_cast<uint64_t>(size) : 0;
}

}  // namespace

std::optional<WaveChunks> LocateWaveChunks(std::istream& file)
{
    const uint64_t fileSize = FileSize(file);
    const auto riff = FindWaveRiff(file, fileSize);
    if (!riff)
        return std::nullopt;
    const uint64_t riffEnd = std::min(riff->dataOffset + riff->size, fileSize);
    const auto fmt = FindChunk(file, riff->dataOffset + kFormTypeSize, riffEnd, "fmt ");
    if (!fmt || fmt->size < WaveChunks::kFormatSize)
        return std::nullopt;
    WaveChunks chunks;
    file.clear();
    file.seekg(static_cast<std::streamoff>(fmt->dataOffset));
    if (!file.read(reinterpret_cast<char*>(chunks.format.data()), WaveChunks::kFormatSize))
        return std::nullopt;
    const auto data = FindChunk(file, NextChunkOffset(*fmt), riffEnd, "data");
    if (!data)
        return std::nullopt;
    chunks.dataSize = static_cast<uint32_t>(data->size);
    chunks.dataOffset = data->dataOffset;
    return chunks;
}

}  // namespace skarnel
