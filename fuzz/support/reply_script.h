#pragma once

#include "sim/controller_engine.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace skarnel::fuzz {

// How a scripted reply is spoiled or cut up on its way to the PC; Silent leaves the request
// unanswered.
enum class ReplyFault : uint8_t {
    None,
    Truncate,  // cut to `amount` bytes
    CorruptCrc,
    WrongStart,
    StrayBytes,  // `amount` stray bytes first
    Delay,       // `amount` ms late
    Split,       // in two halves, `amount` × 100 µs apart
    Packets,     // in packets of `amount` bytes, 1 ms apart
    Trickle,     // a byte at a time at wire speed
    Silent,
};

struct ScriptedReply {
    ReplyFault fault = ReplyFault::None;
    uint8_t amount = 0;
    sim::Reply reply;
};

// A reply script holds its records back to back: fault (taken modulo the number of faults),
// amount, reply code, payload length (16-bit little-endian), payload. The last record is cut
// where the input ends; a payload is cut to what one frame can carry.
std::vector<ScriptedReply> ParseReplyScript(const uint8_t* data, size_t size);
std::vector<uint8_t> EncodeReplyScript(const std::vector<ScriptedReply>& replies);

struct ScriptedCommand {
    int group;
    uint8_t code;
};

// The k-th request to any of these application commands gets the k-th reply, and none once
// the script has run out. A fault that spoils a reply is planned for the k-th request the
// controller receives, so a target sends no other requests; a way across the cable (Split,
// Packets, Trickle) strikes the reply its record makes.
void AnswerFromScript(sim::ControllerEngine& engine, std::vector<ScriptedReply> replies,
                      std::span<const ScriptedCommand> commands);

}  // namespace skarnel::fuzz
