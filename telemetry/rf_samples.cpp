#include "telemetry/rf_samples.h"

#include "base/format.h"
#include "base/reporter.h"
#include "telemetry/log_loader.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace skarnel {
namespace {

constexpr size_t kRecordSize = 64;
constexpr int64_t kProgressEvery = 100;
constexpr uint8_t kLevelKind = 3;

void ReportRead(int64_t read, int64_t count, Reporter& reporter)
{
    reporter.ReportProgress(static_cast<int>(read / kProgressEvery),
                            Format("%lld : %lld", static_cast<long long>(read), static_cast<long long>(count)));
}

}  // namespace

bool LoadRfSamples(const std::string& path, std::vector<RfSample>& samples, Reporter& reporter)
{
    samples.clear();
    std::error_code failure;
    const bool regular = std::filesystem::is_regular_file(path, failure);
    const uintmax_t length = regular ? std::filesystem::file_size(path, failure) : 0;
    std::ifstream file(path, std::ios::binary);
    if (!regular || failure || !file.is_open()) {
        reporter.ShowMessage(kLogOpenFail, kApplicationTitle, MessageIcon::Error);
        return false;
    }
    if (length % kRecordSize != 0) {
        reporter.ShowMessage(kLogSizeMismatch, kApplicationTitle, MessageIcon::Error);
        return false;
    }
    const auto count = static_cast<int64_t>(length / kRecordSize);
    reporter.ReportProgressRange(static_cast<int>(count / kProgressEvery), 0);
    ReportRead(0, count, reporter);
    // Every kind-3 record is kept: room for half of them is only the first guess.
    samples.reserve(static_cast<size_t>(count / 2));
    char record[kRecordSize];
    for (int64_t i = 0; i < count; ++i) {
        if (!file.read(record, kRecordSize))
            break;
        if ((i + 1) % kProgressEvery == 0 || i + 1 == count)
            ReportRead(i + 1, count, reporter);
        if (static_cast<uint8_t>(record[2]) == kLevelKind)
            samples.push_back(
                {static_cast<uint8_t>(record[1]), static_cast<uint8_t>(record[3]), static_cast<uint8_t>(record[4])});
    }
    return true;
}

void RfLevelArrays::Take(const RfSample& sample)
{
    const size_t n = sample.channel;
    if (n >= kRfChannelCount)
        return;
    txCurrent[n] = sample.txLevel;
    rxCurrent[n] = sample.rxLevel;
    txHighest[n] = std::max(txHighest[n], sample.txLevel);
    rxHighest[n] = std::max(rxHighest[n], sample.rxLevel);
}

}  // namespace skarnel
