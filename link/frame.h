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

// The first bytes of a frame that can be sized: the start flag, the sequence number and its
// complement, and the length field.
inline constexpr size_t kFrameSizingBytes = 5;

// Whether bytes that begin here can start a frame, judged on the first `count` of them (up to
// three): a zero start flag and a sequence number followed by its complement.
bool CanStartFrame(const uint8_t* bytes, size_t count);
// The whole size of the frame whose first kFrameSizingBytes bytes these are.
size_t FrameSize(const uint8_t* bytes);

// CRC-16/XMODEM: polynomial 0x1021, initial value 0, no reflection, no final XOR.
uint16_t ComputeCrc16(const uint8_t* bytes, size_t count);

// Writes a whole frame into out (which holds kFrameOverhead + length bytes); returns its size.
size_t EncodeFrame(uint8_t sequence, uint8_t group, uint8_t code, const uint8_t* payload, uint16_t length,
                   uint8_t* out);
std::vector<uint8_t> EncodeFrame(uint8_t sequence, uint8_t group, uint8_t code, const std::vector<uint8_t>& payload);

}  // namespace skarnel
