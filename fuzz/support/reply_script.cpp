#include "fuzz/support/reply_script.h"

#include "base/byte_order.h"
#include "link/frame.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>

namespace skarnel::fuzz {
namespace {

constexpr size_t kRecordHeaderSize = 5;
constexpr size_t kFaultCount = static_cast<size_t>(ReplyFault::Silent) + 1;

struct SimulatorFault {
    ReplyFault scripted;
    sim::FaultKind kind;
    int amountScale;
};

// Faults the simulator applies before the handler answers, planned by request ahead.
constexpr std::array<SimulatorFault, 5> kReplyFaults{{
    {ReplyFault::Truncate, sim::FaultKind::Truncate, 1},
    {ReplyFault::CorruptCrc, sim::FaultKind::CorruptCrc, 1},
    {ReplyFault::WrongStart, sim::FaultKind::WrongStart, 1},
    {ReplyFault::StrayBytes, sim::FaultKind::StrayBytes, 1},
    {ReplyFault::Delay, sim::FaultKind::Delay, 1},
}};
// Ways across the cable, which the simulator picks as it sends the answer.
constexpr std::array<SimulatorFault, 3> kDeliveryFaults{{
    {ReplyFault::Split, sim::FaultKind::Split, 100},
    {ReplyFault::Packets, sim::FaultKind::Packets, 1},
    {ReplyFault::Trickle, sim::FaultKind::Trickle, 1},
}};

template <size_t N>
std::optional<sim::FaultRule> RuleFor(const std::array<SimulatorFault, N>& faults, const ScriptedReply& scripted)
{
    for (const SimulatorFault& fault : faults) {
        if (fault.scripted != scripted.fault)
            continue;
        sim::FaultRule rule;
        rule.kind = fault.kind;
        rule.amount = scripted.amount * fault.amountScale;
        return rule;
    }
    return std::nullopt;
}

struct ScriptState {
    std::vector<ScriptedReply> replies;
    size_t next = 0;
};

}  // namespace

std::vector<ScriptedReply> ParseReplyScript(const uint8_t* data, size_t size)
{
    std::vector<ScriptedReply> replies;
    size_t at = 0;
    while (size - at >= kRecordHeaderSize) {
        ScriptedReply scripted;
        scripted.fault = static_cast<ReplyFault>(data[at] % kFaultCount);
        scripted.amount = data[at + 1];
        scripted.reply.code = data[at + 2];
        const size_t stated = ReadLe16(data + at + 3);
        at += kRecordHeaderSize;
        const size_t length = std::min({stated, size - at, kMaxFramePayload});
        scripted.reply.payload.assign(data + at, data + at + length);
        at += std::min(stated, size - at);
        replies.push_back(std::move(scripted));
    }
    return replies;
}

std::vector<uint8_t> EncodeReplyScript(const std::vector<ScriptedReply>& replies)
{
    std::vector<uint8_t> bytes;
    for (const ScriptedReply& scripted : replies) {
        const std::vector<uint8_t>& payload = scripted.reply.payload;
        std::array<uint8_t, kRecordHeaderSize> header{static_cast<uint8_t>(scripted.fault), scripted.amount,
                                                      scripted.reply.code};
        WriteLe16(header.data() + 3, static_cast<uint16_t>(payload.size()));
        bytes.insert(bytes.end(), header.begin(), header.end());
        bytes.insert(bytes.end(), payload.begin(), payload.end());
    }
    return bytes;
}

void AnswerFromScript(sim::ControllerEngine& engine, std::vector<ScriptedReply> replies,
                      std::span<const ScriptedCommand> commands)
{
    for (size_t k = 0; k < replies.size(); ++k) {
        if (std::optional<sim::FaultRule> rule = RuleFor(kReplyFaults, replies[k])) {
            rule->at = static_cast<int>(k + 1);
            engine.faults().Add(*rule);
        }
    }
    auto state = std::make_shared<ScriptState>(ScriptState{std::move(replies)});
    // A way across the cable is added as the answer is made: it strikes the next reply sent.
    const auto answer = [state, &engine](const sim::Request&) -> std::optional<sim::Reply> {
        if (state->next >= state->replies.size())
            return std::nullopt;
        const ScriptedReply& scripted = state->replies[state->next++];
        if (scripted.fault == ReplyFault::Silent)
            return std::nullopt;
        if (const std::optional<sim::FaultRule> rule = RuleFor(kDeliveryFaults, scripted))
            engine.faults().Add(*rule);
        return scripted.reply;
    };
    for (const ScriptedCommand& command : commands)
        engine.On(sim::ControllerMode::Application, command.group, command.code, answer);
}

}  // namespace skarnel::fuzz
