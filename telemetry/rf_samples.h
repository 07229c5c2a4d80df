#pragma once

#include "telemetry/telemetry_records.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace skarnel {

class Reporter;

// The channel level pairs of a controller log's kind-3 records, in the file's order.
struct RfSample {
    uint8_t channel = 0;
    uint8_t txLevel = 0;
    uint8_t rxLevel = 0;
};

// Reads every kind-3 record's level pair. Progress goes to the reporter every 100 records as
// "%d : %d" of the records read and their count; a file that cannot be opened or whose size is
// no multiple of 64 is refused with its message box and gives no samples.
bool LoadRfSamples(const std::string& path, std::vector<RfSample>& samples, Reporter& reporter);

// The current and highest level per channel of both sides; the highest only grow until
// cleared. Channels from 75 on change nothing.
struct RfLevelArrays {
    using Levels = std::array<uint8_t, kRfChannelCount>;
    Levels txCurrent{};
    Levels rxCurrent{};
    Levels txHighest{};
    Levels rxHighest{};

    void Take(const RfSample& sample);
    void Clear() { *this = RfLevelArrays{}; }
};

}  // namespace skarnel
