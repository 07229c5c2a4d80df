#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace skarnel {

// Request and reply frames share one layout:
// 0x00, sequence, its complement, length (16-bit), group, code, payload, CRC (low byte first).
inline constexpr size_t kFrameHeaderSize = 7;
inline constexpr size_t kFrameOverhead = kFrameHeaderSize + 2;
inline constexpr size_t kFrameBufferSize = 8192;
inline constexpr size_t kMaxFramePayload = kFrameBufferSize - kFrameOverhead;

// CRC-16/XMODEM: polynomial 0x1021, initial value 0, no reflection, no final XOR.
uint16_t ComputeCrc16(const uint8_t* bytes, size_t count);

// Writes a whole frame into out (which holds kFrameOverhead + length bytes); returns its size.
size_t EncodeFrame(uint8_t sequence, uint8_t group, uint8_t code, const uint8_t* payload, uint16_t length,
                   uint8_t* out);
std::vector<uint8_t> EncodeFrame(uint8_t sequence, uint8_t group, uint8_t code, const std::vector<uint8_t>& payload);

}  // namespace skarnel
