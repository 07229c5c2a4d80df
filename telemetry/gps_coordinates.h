#pragma once

#include <cstdint>
#include <string>

namespace skarnel {

// One coordinate of a GPS record: high = degrees × 100 + whole minutes, low = fractional
// minutes × 10000, southOrWest non-zero for the southern or western hemisphere.
struct GpsCoordinate {
    int32_t high = 0;
    int32_t low = 0;
    int32_t southOrWest = 0;
};

// The coordinate in millionths of a degree, negative south or west. Computed from the
// numbers, so a low part of 10000 or more or minutes of 60 or more still give a number
// (minutes past a whole degree carry into the degrees).
int64_t GpsMillionths(const GpsCoordinate& coordinate);
// The same in degrees.
double GpsDegrees(const GpsCoordinate& coordinate);
// "%d.%06d" of the degrees, with "-" in front south or west: 4807/1234 north is "48.118723".
std::string GpsDegreesText(const GpsCoordinate& coordinate);

// Metres between two points given in degrees: one pass of the inverse ellipsoid formula, no
// iteration; 0 for equal points.
double GpsDistance(double lat1, double lon1, double lat2, double lon2);

}  // namespace skarnel
