#include "gauges/gauge_style.h"

#include <algorithm>
#include <cmath>

namespace skarnel::gauges {

double ClampReading(double value, double low, double high)
{
    if (std::isnan(value))
        value = 0;
    return std::clamp(value, low, high);
}

double DisplayableReading(double value)
{
    constexpr double kWidest = 99999.99;
    return ClampReading(value, -kWidest, kWidest);
}

}  // namespace skarnel::gauges
