#include "telemetry/plot_window.h"

#include "base/format.h"

#include <algorithm>
#include <cmath>

namespace skarnel {

void PlotWindow::SetExtent(int64_t first, int64_t last)
{
    const bool following = !Zoomed();
    first_ = first;
    last_ = std::max(last + 1, first + 1);
    if (following)
        Reset();
    else
        KeepInside();
}

void PlotWindow::Reset()
{
    start_ = first_;
    end_ = last_;
}

void PlotWindow::ZoomAround(int64_t anchor, double factor)
{
    const int64_t extent = last_ - first_;
    const double wanted = std::clamp(static_cast<double>(Span()) * factor,
                                     static_cast<double>(std::min(kShortestSpan, extent)), static_cast<double>(extent));
    const int64_t span = std::llround(wanted);
    const int64_t pinned = std::clamp(anchor, start_, end_);
    // The anchor keeps its share of the window on its left.
    const double share = static_cast<double>(pinned - start_) / static_cast<double>(Span());
    start_ = pinned - std::llround(share * static_cast<double>(span));
    end_ = start_ + span;
    KeepInside();
}

void PlotWindow::PanBy(int64_t shift)
{
    start_ += shift;
    end_ += shift;
    KeepInside();
}

void PlotWindow::KeepInside()
{
    const int64_t span = std::min(Span(), last_ - first_);
    start_ = std::clamp(start_, first_, last_ - span);
    end_ = start_ + span;
}

std::vector<double> AxisTicks(double low, double high, int most)
{
    if (!(high > low) || most < 1)
        return {low};
    const double rough = (high - low) / most;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power;
    for (double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * power >= rough) {
            step = factor * power;
            break;
        }
    std::vector<double> ticks;
    const double firstIndex = std::ceil(low / step - 1e-9);
    for (double index = firstIndex; index * step <= high + step * 1e-9; ++index)
        ticks.push_back(index == 0 ? 0.0 : index * step);
    return ticks;
}

std::string TickText(double value, double step)
{
    const int decimals = step >= 1 ? 0 : std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)), 0, 6);
    return Format("%.*f", decimals, value);
}

}  // namespace skarnel
