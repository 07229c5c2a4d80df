// Loading an hour of telemetry logs: a live log of 18 000 passes (about five a second) and a
// controller log of 360 000 records (one per 10 ms), into lists that only count their rows.
//
//   bench_telemetry_log_load [MINUTES]     (default: 60)

#include "base/reporter.h"
#include "telemetry/live_log_file.h"
#include "telemetry/log_loader.h"
#include "telemetry/log_process_function.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

using namespace skarnel;

class CountingRows final : public LogRows {
public:
    void Begin(LogFormat) override {}
    void AddGeneral(int32_t, const GeneralData&) override { ++rows; }
    void AddElectric(int32_t, const ElectricData&) override { ++rows; }
    void AddGps(int32_t, const GpsData&) override { ++rows; }
    void AddVario(int32_t, const VarioData&) override { ++rows; }
    void AddReceiver(int32_t, const ReceiverData&) override { ++rows; }
    void AddRfLevels(int32_t, const DbmScan&) override { ++rows; }
    void AddChannelLevel(int32_t, int, int, int) override { ++rows; }
    void AddChannels(int32_t, const ChannelValues&) override { ++rows; }
    void End(int32_t) override {}

    long long rows = 0;
};

void WriteLiveLog(const std::string& path, int passes)
{
    LiveLogWriter writer;
    writer.Create(path);
    LiveLogRecord record;
    for (int i = 0; i < passes; ++i) {
        record.receiverTime = record.rfTime = record.gpsTime = 20 * (i + 1);
        record.gps.rxsq = 60;
        writer.Append(record);
    }
    writer.Close();
}

// Receiver parts and the four parts of a GPS frame in turn, as the controller writes them.
void WriteControllerLog(const std::string& path, int records)
{
    std::ofstream file(path, std::ios::binary);
    std::array<uint8_t, CLog_Process_Function::kRecordSize> record{};
    for (int i = 0; i < records; ++i) {
        record[1] = static_cast<uint8_t>(i % 75 + 1);
        record[2] = 3;
        record[5] = static_cast<uint8_t>(i % 6);
        record[7] = kSensorGps;
        record[35] = static_cast<uint8_t>(i % 5);
        record[36] = 60;
        file.write(reinterpret_cast<const char*>(record.data()), static_cast<std::streamsize>(record.size()));
    }
}

void Measure(const char* name, const std::string& path)
{
    CountingRows rows;
    const auto start = std::chrono::steady_clock::now();
    LoadLogFile(path, rows, NullReporter::Instance());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double megabytes = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    std::printf("%-15s %7.1f MB  %9lld rows  %7.3f s  %7.1f MB/s\n", name, megabytes, rows.rows, seconds,
                megabytes / seconds);
}

}  // namespace

int main(int argc, char** argv)
{
    const int minutes = argc > 1 ? std::atoi(argv[1]) : 60;
    const std::string folder = std::filesystem::temp_directory_path() / ("telemetry_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string live = folder + "/live.cld";
    const std::string controller = folder + "/controller.bin";
    WriteLiveLog(live, minutes * 60 * 5);
    WriteControllerLog(controller, minutes * 60 * 100);
    Measure("live log", live);
    Measure("controller log", controller);
    std::filesystem::remove_all(folder);
    return 0;
}
