// The voice flash through skarnel-sim with wire-speed emulation over a PTY: the erase, the
// chunked write of a data area and the info table, and the chunked read-back of the data area
// into an .apm file, each against the ideal wire time of its frames.
//
//   bench_voice_transfer [DATA_BYTES]   (default 131072)

#include "bench/observed_backend.h"
#include "base/clock.h"
#include "link/download_function.h"
#include "base/job.h"
#include "base/reporter.h"
#include "link/frame.h"
#include "link/posix_serial_backend.h"
#include "link/rs232.h"
#include "tests/support/processes.h"
#include "voice/voice_file_info.h"
#include "voice/voice_flash_info.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <unistd.h>
#include <vector>

namespace {

using namespace skarnel;

// The wire time of a transfer of `size` bytes in chunks: the data, and each chunk's request
// and reply frames with the request's `requestExtra` address bytes.
double IdealSeconds(uint32_t size, size_t requestExtra)
{
    const uint32_t chunks = (size + kVoiceChunkSize - 1) / kVoiceChunkSize;
    const double frames = static_cast<double>(chunks) * (2 * kFrameOverhead + requestExtra);
    return (frames + size) / bench::kWireBytesPerSecond;
}

bool SameStream(const std::filesystem::path& apm, const std::vector<uint8_t>& data)
{
    std::ifstream file(apm, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return bytes.size() == data.size() + 32 && std::equal(data.begin(), data.end(), bytes.begin() + 32);
}

bool Measure(const char* name, double ideal, const std::function<bool()>& step)
{
    const auto start = std::chrono::steady_clock::now();
    const bool done = step();
    const double measured = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-30s %7.3f s", name, measured);
    if (ideal > 0)
        std::printf("  ideal %7.3f s  ratio %.3f", ideal, measured / ideal);
    std::printf("%s\n", done ? "" : "  FAILED");
    return done;
}

}  // namespace

int main(int argc, char** argv)
{
    const auto size = static_cast<uint32_t>(argc > 1 ? std::strtoul(argv[1], nullptr, 0) : 131072);
    const std::filesystem::path apm =
        std::filesystem::temp_directory_path() / ("skarnel-voice-bench-" + std::to_string(::getpid()) + ".apm");
    test::SimProcess sim({"--wire-speed"});
    CRS232 port(std::make_unique<PosixSerialBackend>(), Clock::System());
    if (!bench::OpenOnSimulator(port, sim.DevicePath()))
        return 1;
    CDownload_Function link(port, NullReporter::Instance());
    VoiceFlashInfo flash;
    if (!link.ReadVoiceFlashInfo(flash))
        return 1;
    std::vector<uint8_t> data(size);
    for (uint32_t i = 0; i < size; ++i)
        data[i] = static_cast<uint8_t>(i * 31 + (i >> 11));
    const std::vector<uint8_t> info(kVoiceInfoTableSize, 0);
    std::printf("%u data bytes through skarnel-sim --wire-speed, %u sectors of %u bytes\n", size, flash.sectorCount,
                flash.sectorSize);
    bool ok = Measure("InitVoiceFlash (10 ms a sector)", 0,
                      [&] { return link.InitVoiceFlash(static_cast<int>(flash.sectorCount)); });
    ok = ok && Measure("WriteVoiceArea, data", IdealSeconds(size, 4), [&] {
             return link.WriteVoiceArea(data.data(), kVoiceDataAddress, size, "ADPCM Data", StopRequest{}, 0);
         });
    ok = ok && Measure("WriteVoiceArea, info table", IdealSeconds(kVoiceInfoTableSize, 4), [&] {
             return link.WriteVoiceArea(info.data(), 0, kVoiceInfoTableSize, "File Info", StopRequest{}, 1);
         });
    ok = ok && Measure("BackupVoiceFile, data", IdealSeconds(size, 8), [&] {
             return link.BackupVoiceFile(size, apm, kVoiceDataAddress, 11025, "bench", StopRequest{});
         });
    if (ok && !SameStream(apm, data)) {
        std::printf("read-back differs from what was written\n");
        ok = false;
    }
    port.ClosePort();
    sim.Stop();
    std::error_code ignored;
    std::filesystem::remove(apm, ignored);
    return ok ? 0 : 1;
}
