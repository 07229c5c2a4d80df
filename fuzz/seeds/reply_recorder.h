#pragma once

#include "fuzz/support/reply_script.h"
#include "sim/controller_engine.h"

#include <cstdint>
#include <vector>

namespace skarnel::fuzz {

// Hands every application request a link's controller gets on to a controller with the
// simulator's real commands, answers with its reply and keeps the replies in order: the reply
// script of what the PC was told.
class ReplyRecorder {
public:
    // Both controllers must outlive the recorder.
    ReplyRecorder(sim::ControllerEngine& linkController, sim::ControllerEngine& realController);

    const std::vector<ScriptedReply>& Replies() const { return replies_; }

private:
    std::optional<sim::Reply> Forward(const sim::Request& request);

    sim::ControllerEngine& linkController_;
    sim::ControllerEngine& realController_;
    std::vector<ScriptedReply> replies_;
};

}  // namespace skarnel::fuzz
