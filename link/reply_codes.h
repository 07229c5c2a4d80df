#pragma once

#include <cstdint>
#include <string>

namespace skarnel {

// Byte 6 of a reply frame, plus the local time-out code that never travels on the wire.
enum ReplyCode : int {
    kReplyAck = 1,
    kReplyNak = 2,
    kReplyError = 3,
    kReplyCrcError = 4,
    kReplyBusy = 5,
    kReplyTimeout = 100,
};

// The texts a view shows for a failed exchange. Codes without a text give an empty line.
enum class ReplyTextTable { Standard, Firmware, ModelData };

std::string ReplyCodeText(ReplyTextTable table, int replyCode, uint32_t value);

}  // namespace skarnel
