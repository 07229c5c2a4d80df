#pragma once

#include "telemetry/telemetry_records.h"

#include <cstdint>
#include <vector>

namespace skarnel {

// One point of the flight path: its key (the GPS list row during a replay, 0 live) and its
// offset from the start in millionths of a degree, dNS positive south of the start and dEW
// positive east of it.
struct PathPoint {
    int32_t key = 0;
    int32_t dNS = 0;
    int32_t dEW = 0;
};
static_assert(sizeof(PathPoint) == 12);

// The flight path: its start, how far it reached in each direction and its points.
struct GpsPath {
    int32_t count = 0;
    // How many points the curve shows as flown.
    int32_t current = 0;
    int32_t lat0 = 0;  // the start, millionths of a degree
    int32_t lon0 = 0;
    int32_t maxNorthSouth = 0;  // the largest |dNS| and |dEW| so far
    int32_t maxEastWest = 0;
    int32_t north = 0;  // the largest offset in each direction
    int32_t south = 0;
    int32_t west = 0;
    int32_t east = 0;
    double lat0Deg = 0;
    double lon0Deg = 0;
    double latAtMaxNS = 0;  // the latitude of the point farthest north or south
    double lonAtMaxEW = 0;  // the longitude of the point farthest east or west
    double distNS = 0;      // metres from the start to those extremes
    double distEW = 0;
    // One entry per point (count of them); a growing vector, reserved ahead.
    std::vector<PathPoint> points;

    // Empties the path for a new recording or replay.
    void Reset();
    // Adds the position of a GPS record (the caller adds only records with data).
    void AddPoint(const GpsData& record, int32_t key);
    // The points shown as flown: up to row `row` of a replay, or all of them for -1.
    void SetCurrent(int32_t row);
};

}  // namespace skarnel
