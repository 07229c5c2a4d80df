#include "telemetry/views/log_plot_picture.h"

#include "telemetry/plot_window.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <climits>
#include <cmath>

namespace skarnel {
namespace {

constexpr QRgb kTraceColours[] = {0x1f5fbf, 0xd03020, 0x2a9d3a, 0x9040c0, 0xe08000, 0x009aa0, 0x806040, 0xd040a0};
constexpr int kTickLength = 4;
constexpr int kMargin = 6;
constexpr int kSwatchWidth = 18;
const QColor kGridColour(225, 225, 225);

// A trace's values onto the area's height, its range widened a little so that its extremes
// stay clear of the edges.
struct ValueScale {
    double low = 0;
    double high = 1;
    double top = 0;
    double height = 1;

    double Y(double value) const { return top + (high - value) / (high - low) * height; }
};

ValueScale ScaleOf(const std::optional<ValueRange>& range, const QRect& area)
{
    double low = range ? range->low : 0;
    double high = range ? range->high : 1;
    if (high <= low) {
        const double room = std::max(std::abs(low) * 0.1, 1.0);
        low -= room;
        high += room;
    }
    const double pad = (high - low) * 0.05;
    return {low - pad, high + pad, static_cast<double>(area.top()), static_cast<double>(area.height())};
}

int TickCount(int length, int spacing)
{
    return std::max(2, length / std::max(spacing, 1));
}

std::optional<ValueRange> WindowRange(const PlotTrace& trace, const PlotScene& scene, int width)
{
    return RangeOf(Decimate(*trace.series, scene.start, scene.end, width));
}

// The ticks of a value scale, as many as leave a line of text and a gap between two labels.
std::vector<double> ValueTicks(const ValueScale& scale, const QFontMetrics& metrics)
{
    const int height = static_cast<int>(scale.height);
    for (int most = TickCount(height, metrics.height() * 5 / 2);; --most) {
        std::vector<double> ticks = AxisTicks(scale.low, scale.high, most);
        const double gap = ticks.size() > 1 ? (ticks[1] - ticks[0]) / (scale.high - scale.low) * height : height;
        if (gap >= metrics.height() + kMargin / 2)
            return ticks;
        if (most <= 1)
            return {ticks.front()};
    }
}

double TickStep(const std::vector<double>& ticks)
{
    return ticks.size() > 1 ? ticks[1] - ticks[0] : 1.0;
}

int AxisWidth(const std::optional<ValueRange>& range, const QRect& area, const QFontMetrics& metrics)
{
    const ValueScale scale = ScaleOf(range, area);
    const std::vector<double> ticks = ValueTicks(scale, metrics);
    int widest = 0;
    for (double tick : ticks)
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(TickText(tick, TickStep(ticks)))));
    return widest + kTickLength + kMargin;
}

int TimeAxisHeight(const QFontMetrics& metrics)
{
    return metrics.height() + kTickLength + kMargin;
}

double TimeX(double time, const PlotScene& scene, const QRect& area)
{
    return area.left() +
           (time - static_cast<double>(scene.start)) * area.width() / static_cast<double>(scene.end - scene.start);
}

// Every filled column as a vertical stroke from its first value through its extremes to its
// last, joined to its neighbours, with the points beside the window at either end.
QPolygonF TracePolyline(const DecimatedSeries& pixels, const ValueScale& scale, const PlotScene& scene,
                        const QRect& area)
{
    QPolygonF line;
    line.reserve(static_cast<qsizetype>(pixels.pixels.size() * 4 + 2));
    if (pixels.before)
        line << QPointF(TimeX(static_cast<double>(pixels.before->time), scene, area), scale.Y(pixels.before->value));
    for (size_t x = 0; x < pixels.pixels.size(); ++x) {
        const std::optional<PixelValues>& pixel = pixels.pixels[x];
        if (!pixel)
            continue;
        const double px = area.left() + static_cast<double>(x) + 0.5;
        line << QPointF(px, scale.Y(pixel->first));
        if (pixel->min != pixel->max)
            line << QPointF(px, scale.Y(pixel->min)) << QPointF(px, scale.Y(pixel->max));
        line << QPointF(px, scale.Y(pixel->last));
    }
    if (pixels.after)
        line << QPointF(TimeX(static_cast<double>(pixels.after->time), scene, area), scale.Y(pixels.after->value));
    return line;
}

void DrawValueAxis(QPainter& painter, const ValueScale& scale, int left, int right, const QColor& colour,
                   const QRect& area, bool grid)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const std::vector<double> ticks = ValueTicks(scale, metrics);
    painter.setPen(colour);
    painter.drawLine(right, area.top(), right, area.bottom());
    for (double tick : ticks) {
        const int y = static_cast<int>(std::lround(scale.Y(tick)));
        if (grid) {
            painter.setPen(kGridColour);
            painter.drawLine(area.left(), y, area.right(), y);
            painter.setPen(colour);
        }
        painter.drawLine(right - kTickLength, y, right, y);
        const QString text = QString::fromStdString(TickText(tick, TickStep(ticks)));
        const QRect box(left, y - metrics.height() / 2, right - kTickLength - 1 - left, metrics.height());
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, text);
    }
}

void DrawTimeAxis(QPainter& painter, const PlotScene& scene, const QRect& area)
{
    const QFontMetrics metrics = painter.fontMetrics();
    painter.setPen(Qt::black);
    painter.drawLine(area.left(), area.bottom(), area.right(), area.bottom());
    for (const PlotLabel& label : TimeAxisLabels(scene, area, metrics)) {
        painter.setPen(kGridColour);
        painter.drawLine(label.x, area.top(), label.x, area.bottom() - 1);
        painter.setPen(Qt::black);
        painter.drawLine(label.x, area.bottom(), label.x, area.bottom() + kTickLength);
        painter.drawText(label.box, Qt::AlignCenter, label.text);
    }
}

std::vector<PlotLabel> TimeLabelsOf(const std::vector<double>& ticks, const PlotScene& scene, const QRect& area,
                                    const QFontMetrics& metrics)
{
    std::vector<PlotLabel> labels;
    for (double tick : ticks) {
        const int x = static_cast<int>(std::lround(TimeX(tick * 100.0, scene, area)));
        if (x < area.left() || x > area.right())
            continue;
        const QString text = QString::fromStdString(TickText(tick, TickStep(ticks)) + " s");
        const int width = metrics.horizontalAdvance(text);
        const int left = std::clamp(x - width / 2, area.left() - kMargin, area.right() + kMargin - width);
        labels.push_back({x, QRect(left, area.bottom() + kTickLength, width, metrics.height()), text});
    }
    return labels;
}

bool LabelsApart(const std::vector<PlotLabel>& labels)
{
    for (size_t i = 1; i < labels.size(); ++i)
        if (labels[i].box.left() - labels[i - 1].box.right() <= kMargin)
            return false;
    return true;
}

void DrawLegend(QPainter& painter, const PlotScene& scene, const QRect& area)
{
    const QFontMetrics metrics = painter.fontMetrics();
    int widest = 0;
    for (const PlotTrace& trace : scene.traces)
        widest = std::max(widest, metrics.horizontalAdvance(trace.name));
    const int lineHeight = metrics.height();
    const QRect box(area.left() + kMargin, area.top() + kMargin, kSwatchWidth + widest + 3 * kMargin,
                    lineHeight * static_cast<int>(scene.traces.size()) + kMargin);
    painter.setPen(QColor(160, 160, 160));
    painter.setBrush(QColor(255, 255, 255, 220));
    painter.drawRect(box);
    painter.setBrush(Qt::NoBrush);
    for (size_t i = 0; i < scene.traces.size(); ++i) {
        const int y = box.top() + kMargin / 2 + lineHeight * static_cast<int>(i);
        painter.setPen(QPen(scene.traces[i].colour, 2));
        painter.drawLine(box.left() + kMargin, y + lineHeight / 2, box.left() + kMargin + kSwatchWidth,
                         y + lineHeight / 2);
        painter.setPen(Qt::black);
        painter.drawText(QRect(box.left() + 2 * kMargin + kSwatchWidth, y, widest + kMargin, lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, scene.traces[i].name);
    }
}

void DrawCursor(QPainter& painter, const PlotScene& scene, const QRect& area)
{
    if (!scene.cursor || *scene.cursor < scene.start || *scene.cursor >= scene.end)
        return;
    const int x = static_cast<int>(std::lround(TimeX(static_cast<double>(*scene.cursor), scene, area)));
    painter.setPen(QPen(PlotCursorColour(), 1));
    painter.drawLine(x, area.top(), x, area.bottom());
}

QRect AreaFromAxes(const QRect& bounds, const QFontMetrics& metrics, int axesWidth)
{
    // Room above for the top tick's text, which is centred on its line.
    return bounds.adjusted(axesWidth + kMargin, metrics.height() / 2 + 2, -kMargin, -TimeAxisHeight(metrics));
}

}  // namespace

std::vector<PlotLabel> TimeAxisLabels(const PlotScene& scene, const QRect& area, const QFontMetrics& metrics)
{
    const double first = static_cast<double>(scene.start) / 100.0;
    const double last = static_cast<double>(scene.end) / 100.0;
    // Fewer ticks until the labels' own widths fit between them: "0.25 s" is wider than "2 s".
    // The times are hundredths: no tick lies between two.
    const auto hundredths = static_cast<int>(std::min<int64_t>(scene.end - scene.start, INT_MAX));
    int most = std::min(TickCount(area.width(), metrics.horizontalAdvance("0 s") + kMargin), std::max(hundredths, 1));
    for (;; most = most * 3 / 4) {
        const std::vector<PlotLabel> labels = TimeLabelsOf(AxisTicks(first, last, most), scene, area, metrics);
        if (LabelsApart(labels))
            return labels;
        if (most <= 1)
            return {labels.front()};
    }
}

QColor TraceColour(size_t trace)
{
    return QColor(kTraceColours[trace % std::size(kTraceColours)]);
}

QRect PlotArea(const QRect& bounds, const QFontMetrics& metrics, const PlotScene& scene)
{
    // The axes' widths do not depend on the area's width: a window's extremes are the same at
    // any number of pixel columns.
    const QRect provisional = AreaFromAxes(bounds, metrics, 0);
    int axesWidth = 0;
    for (const PlotTrace& trace : scene.traces)
        axesWidth += AxisWidth(WindowRange(trace, scene, 1), provisional, metrics);
    return AreaFromAxes(bounds, metrics, std::max(axesWidth, metrics.horizontalAdvance("0") + kMargin));
}

void DrawLogPlot(QPainter& painter, const QRect& bounds, const PlotScene& scene)
{
    painter.save();
    painter.fillRect(bounds, Qt::white);
    if (scene.traces.empty()) {
        painter.setPen(Qt::darkGray);
        painter.drawText(bounds, Qt::AlignCenter | Qt::TextWordWrap, kEmptyPlotHint);
        painter.restore();
        return;
    }
    const QFontMetrics metrics = painter.fontMetrics();
    const QRect area = PlotArea(bounds, metrics, scene);
    DrawTimeAxis(painter, scene, area);
    std::vector<DecimatedSeries> pixels;
    std::vector<ValueScale> scales;
    int right = bounds.left();
    for (size_t i = 0; i < scene.traces.size(); ++i) {
        pixels.push_back(Decimate(*scene.traces[i].series, scene.start, scene.end, area.width()));
        const std::optional<ValueRange> range = RangeOf(pixels.back());
        scales.push_back(ScaleOf(range, area));
        const int left = right;
        right += AxisWidth(range, area, metrics);
        DrawValueAxis(painter, scales.back(), left, right, scene.traces[i].colour, area, i == 0);
    }
    painter.setClipRect(area);
    for (size_t i = 0; i < scene.traces.size(); ++i) {
        painter.setPen(QPen(scene.traces[i].colour, 1));
        painter.drawPolyline(TracePolyline(pixels[i], scales[i], scene, area));
    }
    DrawCursor(painter, scene, area);
    DrawLegend(painter, scene, area);
    painter.restore();
}

}  // namespace skarnel
