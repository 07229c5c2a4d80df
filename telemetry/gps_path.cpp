#include "telemetry/gps_path.h"

#include "telemetry/gps_coordinates.h"

#include <algorithm>
#include <cstdlib>

namespace skarnel {
namespace {

constexpr size_t kFirstReserve = 1024;

GpsCoordinate Latitude(const GpsData& record)
{
    return {record.nsHigh, record.nsLow, record.ns};
}

GpsCoordinate Longitude(const GpsData& record)
{
    return {record.ewHigh, record.ewLow, record.ew};
}

}  // namespace

void GpsPath::Reset()
{
    std::vector<PathPoint> kept = std::move(points);
    *this = GpsPath{};
    points = std::move(kept);
    points.clear();
}

void GpsPath::AddPoint(const GpsData& record, int32_t key)
{
    const auto lat = static_cast<int32_t>(GpsMillionths(Latitude(record)));
    const auto lon = static_cast<int32_t>(GpsMillionths(Longitude(record)));
    if (points.capacity() == points.size())
        points.reserve(std::max(kFirstReserve, points.size() * 2));
    ++count;
    if (count == 1) {
        lat0 = lat;
        lon0 = lon;
        lat0Deg = GpsDegrees(Latitude(record));
        lon0Deg = GpsDegrees(Longitude(record));
        points.push_back({key, 0, 0});
        return;
    }
    const PathPoint point{key, lat0 - lat, lon - lon0};
    points.push_back(point);
    if (point.dNS < 0)
        north = std::max(north, -point.dNS);
    else
        south = std::max(south, point.dNS);
    if (point.dEW < 0)
        west = std::max(west, -point.dEW);
    else
        east = std::max(east, point.dEW);
    if (std::abs(point.dNS) > maxNorthSouth) {
        maxNorthSouth = std::abs(point.dNS);
        latAtMaxNS = GpsDegrees(Latitude(record));
        distNS = GpsDistance(lat0Deg, lon0Deg, latAtMaxNS, lon0Deg);
    }
    if (std::abs(point.dEW) > maxEastWest) {
        maxEastWest = std::abs(point.dEW);
        lonAtMaxEW = GpsDegrees(Longitude(record));
        distEW = GpsDistance(lat0Deg, lon0Deg, lat0Deg, lonAtMaxEW);
    }
}

void GpsPath::SetCurrent(int32_t row)
{
    if (row == -1 || count == 0 || points.back().key < row) {
        current = count;
        return;
    }
    const auto searched = points.begin() + (count - 1);
    const auto found = std::find_if(points.begin(), searched, [row](const PathPoint& p) { return p.key > row; });
    current = static_cast<int32_t>(found - points.begin());
}

}  // namespace skarnel
