#include "telemetry/gps_coordinates.h"

#include "base/format.h"

#include <cmath>
#include <cstdlib>

namespace skarnel {
namespace {

constexpr int64_t kMillionths = 1'000'000;
constexpr double kPi = 3.141592653589793;
constexpr double kDegree = kPi / 180;
// The ellipsoid: a² − b², b² and b in metres, and 1 − flattening for the reduced latitude.
constexpr double kASquaredMinusBSquared = 272331607433.1797;
constexpr double kBSquared = 40408299983335.82;
constexpr double kB = 6356752.31414091;
constexpr double kOneMinusFlattening = 0.9966471893;

double ReducedLatitude(double degrees)
{
    return std::atan(kOneMinusFlattening * std::tan(degrees * kDegree));
}

}  // namespace

// The controller's digits "%05d%04d" of high and low read as degrees (the first three) and
// minutes × 10000 (the rest) are the same as this arithmetic whenever low is below 10000.
int64_t GpsMillionths(const GpsCoordinate& coordinate)
{
    const int64_t degrees = coordinate.high / 100;
    const int64_t minutes = int64_t{coordinate.high % 100} * 10000 + coordinate.low;
    const int64_t value = degrees * kMillionths + minutes * 10 / 6;
    return coordinate.southOrWest != 0 ? -value : value;
}

double GpsDegrees(const GpsCoordinate& coordinate)
{
    return static_cast<double>(GpsMillionths(coordinate)) / static_cast<double>(kMillionths);
}

std::string GpsDegreesText(const GpsCoordinate& coordinate)
{
    const int64_t magnitude = std::llabs(GpsMillionths(coordinate));
    return Format("%s%lld.%06lld", coordinate.southOrWest != 0 ? "-" : "",
                  static_cast<long long>(magnitude / kMillionths), static_cast<long long>(magnitude % kMillionths));
}

double GpsDistance(double lat1, double lon1, double lat2, double lon2)
{
    if (lat1 == lat2 && lon1 == lon2)
        return 0;
    const double u1 = ReducedLatitude(lat1);
    const double u2 = ReducedLatitude(lat2);
    const double lambda = (lon2 - lon1) * kDegree;
    const double sinU1 = std::sin(u1), cosU1 = std::cos(u1);
    const double sinU2 = std::sin(u2), cosU2 = std::cos(u2);
    const double sinLambda = std::sin(lambda), cosLambda = std::cos(lambda);

    const double a = cosU2 * sinLambda;
    const double b = cosU1 * sinU2 - sinU1 * cosU2 * cosLambda;
    const double sinSigma = std::sqrt(a * a + b * b);
    const double cosSigma = sinU1 * sinU2 + cosU1 * cosU2 * cosLambda;
    const double sigma = std::atan(sinSigma / cosSigma);
    const double sinAlpha = sinSigma * sinSigma == 0 ? 0 : cosU1 * cosU2 * sinLambda / sinSigma;
    const double cosAlpha = std::cos(std::asin(sinAlpha));
    const double cosSqAlpha = cosAlpha * cosAlpha;
    const double cos2SigmaM = cosSqAlpha == 0 ? 0 : cosSigma - 2 * sinU1 * sinU2 / cosSqAlpha;
    const double uSq = cosSqAlpha * kASquaredMinusBSquared / kBSquared;
    const double bigA = 1 + uSq / 16384 * (4096 + uSq * (-768 + uSq * (320 - 175 * uSq)));
    const double bigB = uSq / 1024 * (256 + uSq * (-128 + uSq * (74 - 47 * uSq)));
    const double deltaSigma =
        bigB * sinSigma *
        (cos2SigmaM + bigB / 4 *
                          (cosSigma * (2 * cos2SigmaM * cos2SigmaM - 1) -
                           bigB / 6 * cos2SigmaM * (4 * sinSigma * sinSigma - 3) * (4 * cos2SigmaM * cos2SigmaM - 3)));
    return kB * bigA * (sigma - deltaSigma);
}

}  // namespace skarnel
