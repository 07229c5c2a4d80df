// Model data through skarnel-sim with wire-speed emulation over a PTY: the flash reads and
// writes of every model memory, measured against the ideal wire time of the bytes that crossed
// the line, then the whole system backup and restore procedures.
//
//   bench_model_transfer

#include "bench/observed_backend.h"
#include "base/clock.h"
#include "link/download_function.h"
#include "base/reporter.h"
#include "link/rs232.h"
#include "model/data_schema.h"
#include "model/model_procedures.h"
#include "tests/support/processes.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

using namespace skarnel;
using bench::kWireBytesPerSecond;

// Counts the bytes that cross the port both ways.
class CountingBackend final : public bench::ObservedBackend {
public:
    size_t bytes = 0;

private:
    void Wrote(size_t, size_t written) override { bytes += written; }
    void Received(size_t count) override { bytes += count; }
};

// Runs a step and prints its time, and for a pure transfer its ratio to the ideal wire time.
bool Measure(const char* name, CountingBackend& counter, bool transfer, const std::function<bool()>& step)
{
    counter.bytes = 0;
    const auto start = std::chrono::steady_clock::now();
    const bool done = step();
    const double measured = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double ideal = static_cast<double>(counter.bytes) / kWireBytesPerSecond;
    std::printf("%-34s %8zu bytes  %7.3f s  ideal %7.3f s", name, counter.bytes, measured, ideal);
    if (transfer)
        std::printf("  ratio %.3f", measured / ideal);
    std::printf("%s\n", done ? "" : "  FAILED");
    return done;
}

}  // namespace

int main()
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("skarnel-model-bench-" + std::to_string(::getpid()));
    test::SimProcess sim(
        {"--wire-speed", "--app-product-code", "16003300", "--memory-version", "1001", "--state-dir", folder.string()});
    auto backend = std::make_unique<CountingBackend>();
    CountingBackend& counter = *backend;
    CRS232 port(std::move(backend), Clock::System());
    if (!bench::OpenOnSimulator(port, sim.DevicePath()))
        return 1;
    CDownload_Function link(port, NullReporter::Instance());
    DataSchema schema;
    if (!link.ReadDataSchema(schema))
        return 1;
    std::vector<uint8_t> models(size_t{schema.modelCount} * schema.modelSize);
    auto eachModel = [&](const std::function<bool(uint32_t, uint8_t*)>& transfer) {
        for (uint32_t n = 0; n < schema.modelCount; ++n)
            if (!transfer(schema.ModelAddress(n), models.data() + size_t{n} * schema.modelSize))
                return false;
        return true;
    };
    std::printf("%u model memories of %u bytes through skarnel-sim --wire-speed\n", schema.modelCount,
                schema.modelSize);
    bool ok = Measure("ReadFlashData, every model", counter, true, [&] {
        return eachModel(
            [&](uint32_t address, uint8_t* data) { return link.ReadFlashData(address, schema.modelSize, data); });
    });
    ok = ok && Measure("WriteFlashData, every model", counter, true, [&] {
             return eachModel(
                 [&](uint32_t address, uint8_t* data) { return link.WriteFlashData(address, schema.modelSize, data); });
         });
    const std::filesystem::path mif = folder / "bench.mif";
    ok = ok && Measure("BackupSystemData (4 models)", counter, false, [&] { return BackupSystemData(link, mif); });
    ok = ok && Measure("RestoreMenuFile (4 models)", counter, false, [&] { return RestoreMenuFile(link, mif); });
    port.ClosePort();
    sim.Stop();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return ok ? 0 : 1;
}
