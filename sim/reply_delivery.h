#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace skarnel::sim {

// How the cable hands a reply over to the PC. A USB serial bridge passes bytes on in USB
// packets, so the first bytes of a reply can come well before the rest.
enum class DeliveryKind {
    Whole,    // all at once (in 64-byte packets at wire speed)
    Split,    // in two parts, the second `gapNs` after the first
    Packets,  // in packets of at most `pieceSize` bytes, one USB frame (1 ms) apart
    Trickle,  // one byte at a time at wire speed
};

struct Delivery {
    DeliveryKind kind = DeliveryKind::Whole;
    size_t pieceSize = 0;  // Split: the size of the first part; Packets: the packet size
    int64_t gapNs = 0;     // Split: the time between the two parts
};

struct ReplyPiece {
    int64_t dueNs;
    std::vector<uint8_t> bytes;
};

inline constexpr int64_t kWireByteNs = 1'000'000'000 / 11'520;
inline constexpr size_t kUsbPacketSize = 64;
inline constexpr int64_t kUsbFrameNs = 1'000'000;

// Cuts a reply that is ready at startNs into the pieces the PC receives, each with the time
// it becomes due. At wire speed no byte is due before the line could have carried it.
std::vector<ReplyPiece> CutReply(const std::vector<uint8_t>& bytes, int64_t startNs, const Delivery& delivery,
                                 bool wireSpeed);

}  // namespace skarnel::sim
