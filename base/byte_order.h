#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace skarnel {

// Every file and wire format of the system is little-endian.
inline uint16_t ReadLe16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t ReadLe24(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16);
}

inline uint32_t ReadLe32(const uint8_t* p)
{
    return ReadLe24(p) | (static_cast<uint32_t>(p[3]) << 24);
}

inline void WriteLe16(uint8_t* p, uint16_t value)
{
    p[0] = static_cast<uint8_t>(value);
    p[1] = static_cast<uint8_t>(value >> 8);
}

inline void WriteLe24(uint8_t* p, uint32_t value)
{
    WriteLe16(p, static_cast<uint16_t>(value));
    p[2] = static_cast<uint8_t>(value >> 16);
}

inline void WriteLe32(uint8_t* p, uint32_t value)
{
    WriteLe16(p, static_cast<uint16_t>(value));
    WriteLe16(p + 2, static_cast<uint16_t>(value >> 16));
}

// The N-byte record at offset in bytes, for the decoders that take a record of fixed size; the
// caller has made sure that the record lies inside.
template <size_t N> std::span<const uint8_t, N> RecordAt(std::span<const uint8_t> bytes, size_t offset)
{
    return bytes.subspan(offset).template first<N>();
}

}  // namespace skarnel
