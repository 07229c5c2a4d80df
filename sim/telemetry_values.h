#pragma once

#include "sim/flight_track.h"

#include <cstdint>
#include <vector>

namespace skarnel::sim {

// The simulated receiver's and sensor modules' reply data at a time (seconds since the
// telemetry was first asked for). The values drift slowly and smoothly; equal times give
// equal replies.
std::vector<uint8_t> ReceiverReply(double seconds);
std::vector<uint8_t> DbmScanReply(double seconds);
std::vector<uint8_t> GeneralReply(double seconds);
std::vector<uint8_t> ElectricReply(double seconds);
// The GPS module flies laps of the field (sim/flight_track.h).
std::vector<uint8_t> GpsReply(double seconds, const FlightField& field = {});

// The vario remembers the highest and lowest altitude it has reported.
class VarioModule {
public:
    std::vector<uint8_t> Reply(double seconds);

private:
    int16_t highest_ = 0;
    int16_t lowest_ = 0;
    bool reported_ = false;
};

}  // namespace skarnel::sim
