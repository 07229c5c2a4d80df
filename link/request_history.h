#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace skarnel {

// The sequence numbers of a protocol object's last few requests and which of them were
// answered. The controller need not echo a request's number, so a reply with any other number
// is taken as it always was; but a reply that carries the number of an earlier request that
// went unanswered is that request's answer arriving late, and must not answer the current one.
class RequestHistory {
public:
    // A request with this number went out and is now the current one.
    void Sent(uint8_t sequence);
    // The current request got its reply.
    void Answered() { entries_[0].answered = true; }
    bool IsLateReply(uint8_t replySequence) const;

private:
    static constexpr size_t kRemembered = 4;
    struct Entry {
        uint8_t sequence = 0;  // 0 is never sent
        bool answered = true;
    };
    std::array<Entry, kRemembered> entries_{};  // the current request first
};

}  // namespace skarnel
