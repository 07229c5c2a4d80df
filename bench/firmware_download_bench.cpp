// DownloadImage of an application image through skarnel-sim with wire-speed emulation over a
// PTY: measured time against the ideal wire time of every frame sent and received.
//
//   bench_firmware_download [KIB [DISPLAY_TYPE]]     (default: 256 KiB, display type 0)

#include "bench/observed_backend.h"
#include "firmware/image_kind.h"
#include "firmware/scrambler.h"
#include "base/clock.h"
#include "link/download_function.h"
#include "base/reporter.h"
#include "link/product_info.h"
#include "link/rs232.h"
#include "tests/support/processes.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using namespace skarnel;
using bench::kWireBytesPerSecond;

constexpr double kFramePauseSeconds = 0.002;  // between the two halves of every request
constexpr double kFinalPauseSeconds = 0.2;    // after the last block
constexpr size_t kHeaderSize = 7;

double Seconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// One request and its reply as the port saw them: from the header's write to the last read.
struct Exchange {
    double start = 0;
    double end = 0;
    size_t bytes = 0;
};

// Counts what crosses the port both ways, exchange by exchange.
class CountingBackend final : public bench::ObservedBackend {
public:
    std::vector<Exchange> exchanges;

private:
    void Wrote(size_t requested, size_t written) override
    {
        if (requested == kHeaderSize || exchanges.empty())
            exchanges.push_back({Seconds(), 0, 0});
        exchanges.back().bytes += written;
    }
    void Received(size_t count) override
    {
        if (exchanges.empty())
            return;
        exchanges.back().bytes += count;
        exchanges.back().end = Seconds();
    }
};

struct Breakdown {
    size_t bytes = 0;
    double ideal = 0;           // every byte of every frame at wire speed
    double pauses = 0;          // the line idle during the 2 ms inside each request, and the final 200 ms
    double exchangeExcess = 0;  // the rest of the time from a header's write to its reply's read
    double between = 0;         // from a reply's read to the next header's write
};

Breakdown Analyse(const std::vector<Exchange>& exchanges)
{
    Breakdown b;
    b.pauses = kFinalPauseSeconds;
    for (size_t i = 0; i < exchanges.size(); ++i) {
        const Exchange& e = exchanges[i];
        const double wire = static_cast<double>(e.bytes) / kWireBytesPerSecond;
        const double pause = kFramePauseSeconds - static_cast<double>(kHeaderSize) / kWireBytesPerSecond;
        b.bytes += e.bytes;
        b.ideal += wire;
        b.pauses += pause;
        b.exchangeExcess += (e.end - e.start) - wire - pause;
        if (i + 1 < exchanges.size())
            b.between += exchanges[i + 1].start - e.end;
    }
    return b;
}

bool PrepareApplicationDownload(CDownload_Function& link, uint32_t size)
{
    link.RequestRestart();
    link.groupId = kGroupBootLoader;
    return link.WaitBootupFrame() && link.SendDownloadStart() &&
           link.SendImageFileInformation(size, "bench-upgrade.bin");
}

}  // namespace

int main(int argc, char** argv)
{
    const uint32_t size = (argc > 1 ? static_cast<uint32_t>(std::atoi(argv[1])) : 256) * 1024;
    const int displayType = argc > 2 ? std::atoi(argv[2]) : 0;
    test::SimProcess sim({"--wire-speed", "--display-type", std::to_string(displayType), "--restart-delay-ms", "300"});

    auto backend = std::make_unique<CountingBackend>();
    CountingBackend& counter = *backend;
    CRS232 port(std::move(backend), Clock::System());
    if (!bench::OpenOnSimulator(port, sim.DevicePath()))
        return 1;
    CDownload_Function link(port, NullReporter::Instance());
    std::vector<uint8_t> image(size);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<uint8_t>(i * 7 + (i >> 11));
    ScrambleImage(image.data(), image.size());
    if (!PrepareApplicationDownload(link, size)) {
        std::fprintf(stderr, "the simulator did not get ready for the image\n");
        return 1;
    }

    counter.exchanges.clear();
    const auto start = std::chrono::steady_clock::now();
    const bool downloaded = link.DownloadImage(size, image.data(), ImageKind::Application, displayType);
    const double measured = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    port.ClosePort();
    if (!downloaded) {
        std::fprintf(stderr, "DownloadImage failed\n");
        return 1;
    }

    const Breakdown b = Analyse(counter.exchanges);
    const double n = static_cast<double>(counter.exchanges.size());
    std::printf("DownloadImage of %u bytes (%u blocks), display type %d, through skarnel-sim --wire-speed\n", size,
                (size + 2047) / 2048, displayType);
    std::printf("  exchanges:        %zu (%zu bytes both ways)\n", counter.exchanges.size(), b.bytes);
    std::printf("  measured:         %.3f s\n", measured);
    std::printf("  ideal wire time:  %.3f s\n", b.ideal);
    std::printf("  measured / ideal: %.4f\n", measured / b.ideal);
    std::printf("  floor of the required pauses (2 ms inside each request, 200 ms at the end): %.4f\n",
                (b.ideal + b.pauses) / b.ideal);
    std::printf("  beyond it, per exchange: %.3f ms inside (sleep overshoot, PTY and simulator wake-ups), "
                "%.3f ms between exchanges\n",
                b.exchangeExcess / n * 1000, b.between / n * 1000);
    return 0;
}
