#include "sim/flight_track.h"

#include <algorithm>
#include <cmath>

namespace skarnel::sim {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kHalfStraight = 150;
constexpr double kRadius = 60;
constexpr double kTurn = kPi * kRadius;
constexpr double kLap = 4 * kHalfStraight + 2 * kTurn;
constexpr double kLapSeconds = 60;
// How much faster than average in the straights (and slower in the turns).
constexpr double kSpeedSwing = 0.35;
constexpr double kMetresPerDegree = 111320;
constexpr double kClimbOutSeconds = 20;

struct TrackPosition {
    double x;        // metres east of the start
    double y;        // metres north of it
    double heading;  // degrees
};

// The point at distance s along one lap.
TrackPosition OnTrack(double s)
{
    if (s < kHalfStraight)
        return {s, 0, 90};
    s -= kHalfStraight;
    if (s < kTurn) {
        const double angle = s / kRadius;
        return {kHalfStraight + kRadius * std::sin(angle), kRadius - kRadius * std::cos(angle), 90 - angle * 180 / kPi};
    }
    s -= kTurn;
    if (s < 2 * kHalfStraight)
        return {kHalfStraight - s, 2 * kRadius, 270};
    s -= 2 * kHalfStraight;
    if (s < kTurn) {
        const double angle = s / kRadius;
        return {-kHalfStraight - kRadius * std::sin(angle), kRadius + kRadius * std::cos(angle),
                270 - angle * 180 / kPi};
    }
    s -= kTurn;
    return {-kHalfStraight + s, 0, 90};
}

// Distance flown: the average speed with two surges a lap, at the straights' middles.
double Flown(double seconds)
{
    const double phase = 4 * kPi * seconds / kLapSeconds;
    return kLap * (seconds / kLapSeconds + kSpeedSwing * std::sin(phase) / (4 * kPi));
}

double Altitude(double seconds)
{
    const double lapPhase = 2 * kPi * Flown(seconds) / kLap;
    const double climbOut = std::clamp(seconds / kClimbOutSeconds, 0.0, 1.0);
    return climbOut * (60 + 20 * std::sin(lapPhase));
}

}  // namespace

FlightPoint FlightAt(double seconds, const FlightField& field)
{
    seconds = std::max(seconds, 0.0);
    const TrackPosition at = OnTrack(std::fmod(Flown(seconds), kLap));
    FlightPoint point;
    point.latitude = field.startLatitude + at.y / kMetresPerDegree;
    point.longitude = field.startLongitude + at.x / (kMetresPerDegree * std::cos(field.startLatitude * kPi / 180));
    point.altitude = Altitude(seconds);
    point.climb = Altitude(seconds + 0.5) - Altitude(std::max(seconds - 0.5, 0.0));
    point.speed = 3.6 * kLap / kLapSeconds * (1 + kSpeedSwing * std::cos(4 * kPi * seconds / kLapSeconds));
    point.heading = std::fmod(at.heading + 360, 360);
    point.distance = std::hypot(at.x, at.y);
    return point;
}

}  // namespace skarnel::sim
