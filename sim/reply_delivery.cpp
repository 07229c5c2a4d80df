#include "sim/reply_delivery.h"

#include <algorithm>

namespace skarnel::sim {
namespace {

struct Cut {
    size_t end;       // one past the piece's last byte
    int64_t extraNs;  // delay on top of the line's own pace
};

std::vector<Cut> CutsOf(size_t size, const Delivery& delivery, bool wireSpeed)
{
    std::vector<Cut> cuts;
    switch (delivery.kind) {
    case DeliveryKind::Split: {
        const size_t first = std::clamp<size_t>(delivery.pieceSize, 1, size);
        cuts.push_back({first, 0});
        if (first < size)
            cuts.push_back({size, delivery.gapNs});
        return cuts;
    }
    case DeliveryKind::Packets:
    case DeliveryKind::Trickle:
    case DeliveryKind::Whole: break;
    }
    const size_t piece = delivery.kind == DeliveryKind::Packets   ? std::max<size_t>(delivery.pieceSize, 1)
                         : delivery.kind == DeliveryKind::Trickle ? 1
                         : wireSpeed                              ? kUsbPacketSize
                                                                  : size;
    const int64_t gapNs = delivery.kind == DeliveryKind::Packets ? kUsbFrameNs : 0;
    for (size_t end = std::min(piece, size), index = 0; end <= size; ++index) {
        cuts.push_back({end, static_cast<int64_t>(index) * gapNs});
        if (end == size)
            break;
        end = std::min(end + piece, size);
    }
    return cuts;
}

}  // namespace

std::vector<ReplyPiece> CutReply(const std::vector<uint8_t>& bytes, int64_t startNs, const Delivery& delivery,
                                 bool wireSpeed)
{
    const bool paced = wireSpeed || delivery.kind == DeliveryKind::Trickle;
    std::vector<ReplyPiece> pieces;
    size_t begin = 0;
    for (const Cut& cut : CutsOf(bytes.size(), delivery, wireSpeed)) {
        const int64_t lineNs = paced ? static_cast<int64_t>(cut.end) * kWireByteNs : 0;
        pieces.push_back({startNs + lineNs + cut.extraNs,
                          std::vector<uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(begin),
                                               bytes.begin() + static_cast<std::ptrdiff_t>(cut.end))});
        begin = cut.end;
    }
    return pieces;
}

}  // namespace skarnel::sim
