// The frame of a reply: CheckFrame on bytes as they stand in the receive buffer, and the
// exchange patterns against a simulated controller whose replies come from a script and may
// be cut, corrupted, late or preceded by stray bytes.
// Input: the received bytes, which are also read as the reply script.
#include "fuzz/sessions/sessions.h"
#include "link/download_function.h"
#include "link/frame.h"

#include <cstddef>
#include <cstdint>
#include <vector>

using namespace skarnel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Every caller hands CheckFrame at least a frame's overhead and at most the receive buffer.
    if (size >= kFrameOverhead && size <= kFrameBufferSize) {
        const std::vector<uint8_t> received(data, data + size);
        CDownload_Function().CheckFrame(received.data(), received.size());
    }
    fuzz::RunScripted(fuzz::kFrameSession, data, size);
    return 0;
}
