// Sends acknowledged data blocks of 2048 bytes through skarnel-sim with wire-speed emulation
// over a PTY, and prints the measured time against the time the bytes need on the wire.
// The blocks go to the running application as a boot loader image would.
//
//   build/bench/link_block_throughput [blocks]

#include "bench/observed_backend.h"
#include "firmware/scrambler.h"
#include "base/byte_order.h"
#include "base/clock.h"
#include "link/connection_factory.h"
#include "link/download_function.h"
#include "base/reporter.h"
#include "link/frame.h"
#include "link/rs232.h"
#include "tests/support/processes.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using namespace skarnel;

constexpr size_t kBlockSize = 2048;
using bench::kWireBytesPerSecond;

bool SendBlocks(CDownload_Function& link, int blocks, size_t& wireBytes)
{
    std::vector<uint8_t> payload(8 + kBlockSize, 0x5A);
    WriteLe16(payload.data() + 6, 0);
    for (int block = 0; block < blocks; ++block) {
        const size_t offset = static_cast<size_t>(block) * kBlockSize;
        WriteLe32(payload.data(), static_cast<uint32_t>(offset));
        WriteLe16(payload.data() + 4, ScramblerStateAt(offset));
        if (!link.SendDataBlock(payload.data(), static_cast<uint16_t>(payload.size())))
            return false;
        wireBytes += kFrameOverhead + payload.size() + kFrameOverhead;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    const int blocks = argc > 1 ? std::atoi(argv[1]) : 100;
    test::SimProcess sim({"--wire-speed"});
    const std::unique_ptr<CRS232> port = PosixConnectionFactory().MakeConnection();
    if (!bench::OpenOnSimulator(*port, sim.DevicePath()))
        return 1;
    CDownload_Function link(*port, NullReporter::Instance());
    link.groupId = kGroupApplication;
    const uint32_t imageSize = static_cast<uint32_t>(blocks) * kBlockSize;
    size_t wireBytes = 0;
    const int64_t start = Clock::System().NowMs();
    const bool started = link.PauseRfProcess() && link.SendDownloadStart() &&
                         link.SendFileInformation(imageSize, 0, "bench.bin", "Flash");
    const int64_t blocksStart = Clock::System().NowMs();
    const bool sent = started && SendBlocks(link, blocks, wireBytes);
    const int64_t end = Clock::System().NowMs();
    port->ClosePort();
    if (!sent) {
        std::fprintf(stderr, "the transfer failed\n");
        return 1;
    }
    const double idealMs = static_cast<double>(wireBytes) * 1000.0 / kWireBytesPerSecond;
    const double measuredMs = static_cast<double>(end - blocksStart);
    std::printf("blocks: %d, wire bytes: %zu\n", blocks, wireBytes);
    std::printf("measured: %.0f ms, ideal wire time: %.0f ms, ratio: %.4f\n", measuredMs, idealMs,
                measuredMs / idealMs);
    std::printf("set-up exchanges: %lld ms\n", static_cast<long long>(blocksStart - start));
    return 0;
}
