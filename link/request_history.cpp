#include "link/request_history.h"

#include <algorithm>

namespace skarnel {

void RequestHistory::Sent(uint8_t sequence)
{
    std::shift_right(entries_.begin(), entries_.end(), 1);
    entries_[0] = {sequence, false};
}

bool RequestHistory::IsLateReply(uint8_t replySequence) const
{
    if (replySequence == entries_[0].sequence)
        return false;
    return std::any_of(entries_.begin() + 1, entries_.end(), [replySequence](const Entry& entry) {
        return entry.sequence == replySequence && !entry.answered;
    });
}

}  // namespace skarnel
