#include "link/frame.h"

#include "base/byte_order.h"

#include <array>
#include <cstring>

namespace skarnel {
namespace {

constexpr std::array<uint16_t, 256> MakeCrcTable()
{
    std::array<uint16_t, 256> table{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        uint16_t crc = static_cast<uint16_t>(byte << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = static_cast<uint16_t>((crc & 0x8000) ? (crc << 1) ^ 0x1021 : crc << 1);
        table[byte] = crc;
    }
    return table;
}

constexpr std::array<uint16_t, 256> kCrcTable = MakeCrcTable();

}  // namespace

uint16_t ComputeCrc16(const uint8_t* bytes, size_t count)
{
    uint16_t crc = 0;
    for (size_t i = 0; i < count; ++i)
        crc = static_cast<uint16_t>((crc << 8) ^ kCrcTable[((crc >> 8) ^ bytes[i]) & 0xFF]);
    return crc;
}

bool CanStartFrame(const uint8_t* bytes, size_t count)
{
    if (count >= 1 && bytes[0] != 0x00)
        return false;
    return count < 3 || bytes[1] == static_cast<uint8_t>(~bytes[2]);
}

size_t FrameSize(const uint8_t* bytes)
{
    return kFrameOverhead + ReadLe16(bytes + 3);
}

size_t EncodeFrame(uint8_t sequence, uint8_t group, uint8_t code, const uint8_t* payload, uint16_t length, uint8_t* out)
{
    out[0] = 0x00;
    out[1] = sequence;
    out[2] = static_cast<uint8_t>(0xFF - sequence);
    WriteLe16(out + 3, length);
    out[5] = group;
    out[6] = code;
    if (length > 0)
        std::memcpy(out + kFrameHeaderSize, payload, length);
    const uint16_t crc = ComputeCrc16(out + 3, 4u + length);
    WriteLe16(out + kFrameHeaderSize + length, crc);
    return kFrameOverhead + length;
}

std::vector<uint8_t> EncodeFrame(uint8_t sequence, uint8_t group, uint8_t code, const std::vector<uint8_t>& payload)
{
    std::vector<uint8_t> frame(kFrameOverhead + payload.size());
    EncodeFrame(sequence, group, code, payload.data(), static_cast<uint16_t>(payload.size()), frame.data());
    return frame;
}

}  // namespace skarnel
