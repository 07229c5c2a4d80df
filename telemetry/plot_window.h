#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skarnel {

// The time window [Start(), End()) a plot shows, in hundredths of a second, always inside the
// extent of its data. Zooming keeps the time under the pointer in its place.
class PlotWindow {
public:
    // The shortest window a zoom reaches: half a second.
    static constexpr int64_t kShortestSpan = 50;

    int64_t Start() const { return start_; }
    int64_t End() const { return end_; }
    int64_t Span() const { return end_ - start_; }
    // Whether the window is narrower than the extent or moved from it.
    bool Zoomed() const { return start_ != first_ || end_ != last_; }

    // The data runs from `first` to `last` (both shown). A window that shows the whole extent
    // follows it; a zoomed one stays and is only pulled back inside.
    void SetExtent(int64_t first, int64_t last);
    // Shows the whole extent.
    void Reset();
    // Narrows (factor below 1) or widens the window around `anchor`.
    void ZoomAround(int64_t anchor, double factor);
    // Moves the window later (or earlier for a negative shift).
    void PanBy(int64_t shift);

private:
    void KeepInside();

    int64_t first_ = 0;
    int64_t last_ = 1;
    int64_t start_ = 0;
    int64_t end_ = 1;
};

// Round values (1, 2 or 5 times a power of ten apart) from low to high, at most about
// `most` of them.
std::vector<double> AxisTicks(double low, double high, int most);
// A tick's text with as many decimals as the ticks' step needs.
std::string TickText(double value, double step);

}  // namespace skarnel
