#include "fuzz/seeds/reply_recorder.h"

#include "base/byte_order.h"
#include "link/frame.h"

#include <algorithm>

namespace skarnel::fuzz {
namespace {

constexpr int kGroupCount = 9;
constexpr int kCodeCount = 256;

}  // namespace

ReplyRecorder::ReplyRecorder(sim::ControllerEngine& linkController, sim::ControllerEngine& realController)
    : linkController_(linkController), realController_(realController)
{
    for (int group = 0; group < kGroupCount; ++group)
        for (int code = 0; code < kCodeCount; ++code)
            linkController_.On(sim::ControllerMode::Application, group, static_cast<uint8_t>(code),
                               [this](const sim::Request& request) { return Forward(request); });
}

// Only the first frame that comes back is the reply; anything the real controller still had
// to say about an earlier request is dropped first.
std::optional<sim::Reply> ReplyRecorder::Forward(const sim::Request& request)
{
    const int64_t now = linkController_.NowNs();
    std::vector<uint8_t> output(kFrameBufferSize);
    realController_.TakeOutput(output.data(), output.size(), now);
    const std::vector<uint8_t> frame = EncodeFrame(request.sequence, request.group, request.code, request.payload);
    realController_.Receive(frame.data(), frame.size(), now);
    const size_t received = realController_.TakeOutput(output.data(), output.size(), now);
    ScriptedReply scripted;
    if (received < kFrameOverhead) {
        scripted.fault = ReplyFault::Silent;
        replies_.push_back(scripted);
        return std::nullopt;
    }
    scripted.reply.code = output[6];
    const size_t length = std::min<size_t>(ReadLe16(output.data() + 3), received - kFrameOverhead);
    scripted.reply.payload.assign(output.begin() + kFrameHeaderSize,
                                  output.begin() + static_cast<std::ptrdiff_t>(kFrameHeaderSize + length));
    replies_.push_back(scripted);
    return scripted.reply;
}

}  // namespace skarnel::fuzz
