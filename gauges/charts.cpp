#include "gauges/gauge_font.h"
#include "gauges/gauge_style.h"
#include "gauges/gauge_text.h"
#include "gauges/graph_function.h"
#include "telemetry/telemetry_records.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>

namespace skarnel {

using namespace gauges;

namespace {

constexpr double kPlotLeft = 30, kPlotTop = 10;

// Saves the painter and moves it to the chart's rectangle; restores on leaving.
class ChartScope {
public:
    ChartScope(QPainter& painter, const QRect& rect) : painter_(painter)
    {
        painter_.save();
        painter_.translate(rect.topLeft());
        painter_.setClipRect(QRect(0, 0, rect.width(), rect.height()));
        painter_.setRenderHint(QPainter::Antialiasing);
        painter_.setRenderHint(QPainter::TextAntialiasing);
    }
    ~ChartScope() { painter_.restore(); }
    ChartScope(const ChartScope&) = delete;
    ChartScope& operator=(const ChartScope&) = delete;

private:
    QPainter& painter_;
};

QPen DashedPen(QRgb colour, double width)
{
    QPen pen(GaugeColour(colour), width);
    pen.setStyle(Qt::DashLine);
    return pen;
}

void DrawLevelGrid(QPainter& painter, double W, double H, int intervals, int labelEvery, int unitsPerLine)
{
    const QFont font = CreateGaugeFont(kChartFamily, kRegular, 3, *painter.device());
    for (int n = 0; n <= intervals; ++n) {
        const double y = (H - 30) - n * (H - 40) / intervals;
        painter.setPen(DashedPen(kGridGrey, 0.5));
        painter.drawLine(QPointF(kPlotLeft, y), QPointF(W - 10, y));
        if (n % labelEvery == 0)
            DrawGaugeText(painter, {3, y - 5}, GaugeColour(kBlack), font, QString::asprintf("%d", n * unitsPerLine));
    }
}

void DrawOffScaleMarker(QPainter& painter, bool flag, const QPolygonF& triangle, QPointF lineFrom, QPointF lineTo)
{
    if (flag) {
        painter.setPen(QPen(GaugeColour(kRed), 2));
        painter.drawLine(lineFrom, lineTo);
        return;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(GaugeColour(kRed));
    painter.drawPolygon(triangle);
}

void DrawScale(QPainter& painter, const QRect& rect, const QString& caption, int minimum, int maximum, bool above,
               bool below)
{
    ChartScope scope(painter, rect);
    const double W = rect.width(), H = rect.height();
    painter.fillRect(QRectF(0, 0, W, H), GaugeColour(kWhite));
    const QRectF plot(50, 30, W - 65, H - 60);
    painter.fillRect(plot, GaugeColour(kPaleYellow));
    DrawGaugeText(painter, {5, 1}, GaugeColour(kRed), CreateGaugeFont(kChartFamily, kBold, 4, *painter.device()),
                  caption);
    const QFont labels = CreateGaugeFont(kChartFamily, kRegular, 3, *painter.device());
    const double labelHeight = MeasureGaugeText(painter, labels, QStringLiteral("0")).height();
    for (int n = 0; n <= 10; ++n) {
        const double y = 30 + n * (H - 60) / 10;
        painter.setPen(DashedPen(kScaleGridGrey, 1));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        const double value = (minimum + (10 - n) * (double(maximum) - minimum) / 10) / 1000;
        DrawGaugeText(painter, {15, y - labelHeight / 2}, GaugeColour(kBlack), labels,
                      QString::asprintf("%.3f", value));
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(GaugeColour(kBlack), 1));
    painter.drawRect(plot);
    DrawOffScaleMarker(painter, above, QPolygonF({{1, 22}, {10, 30}, {1, 38}}), {4, 10}, {4, 50});
    DrawOffScaleMarker(painter, below, QPolygonF({{1, H - 38}, {10, H - 30}, {1, H - 22}}), {4, H - 50}, {4, H - 10});
}

QColor FromWindowsColour(uint32_t value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

void DrawCellName(QPainter& painter, double centreX, double baseline, const QFont& font, const QString& name)
{
    const int blank = name.indexOf(QLatin1Char(' '));
    if (blank < 0) {
        DrawCentredText(painter, centreX, baseline + 2, GaugeColour(kBlack), font, QStringLiteral("#") + name);
        return;
    }
    DrawCentredText(painter, centreX, baseline + 2, GaugeColour(kBlack), font, QStringLiteral("#") + name.left(blank));
    DrawCentredText(painter, centreX, baseline + 12, GaugeColour(kBlack), font, name.mid(blank + 1));
}

// A box in perspective: the front face, its top seen from above, edged in black.
void DrawCellBox(QPainter& painter, double left, double width, double top, double baseline, const QColor& colour)
{
    const double depth = std::min(8.0, width / 4);
    const QPolygonF outline({{left, baseline},
                             {left, top},
                             {left + depth, top - depth},
                             {left + width + depth, top - depth},
                             {left + width + depth, baseline - depth},
                             {left + width, baseline}});
    painter.setPen(QPen(GaugeColour(kBlack), 1));
    painter.setBrush(colour);
    painter.drawPolygon(outline);
    painter.drawLine(QPointF(left, top), QPointF(left + width, top));
    painter.drawLine(QPointF(left + width, top), QPointF(left + width + depth, top - depth));
    painter.drawLine(QPointF(left + width, top), QPointF(left + width, baseline));
}

}  // namespace

void CGraph_Function::DrawRfHistory(QPainter& painter, const QRect& rect, std::span<const uint8_t> txLevels,
                                    std::span<const uint8_t> rxLevels, int frameCount, int marker1, int marker2)
{
    ChartScope scope(painter, rect);
    const double W = rect.width(), H = rect.height();
    painter.fillRect(QRectF(0, 0, W, H), GaugeColour(kWhite));
    const QRectF plot(kPlotLeft, kPlotTop, W - 40, H - 40);
    painter.fillRect(plot, GaugeColour(kPaleGreen));
    DrawLevelGrid(painter, W, H, 13, 1, 10);

    const int count = std::max(0, frameCount);
    const size_t drawn = std::min({size_t(count), txLevels.size(), rxLevels.size()});
    const double spacing = count > 0 ? (W - 40) / count : 1;
    auto curve = [&](std::span<const uint8_t> levels) {
        QPolygonF line;
        line.reserve(qsizetype(drawn));
        for (size_t i = 0; i < drawn; ++i)
            line << QPointF(kPlotLeft + double(i) * spacing, (H - 30) - levels[i] * (H - 40) / 140);
        return line;
    };
    painter.setPen(QPen(GaugeColour(kRed), 0.5));
    painter.drawPolyline(curve(txLevels));
    painter.setPen(QPen(GaugeColour(kBlue), 0.5));
    painter.drawPolyline(curve(rxLevels));

    painter.setPen(QPen(GaugeColour(kRed), 1));
    for (int marker : {marker1, marker2})
        if (marker >= 0 && marker < count)
            painter.drawLine(QPointF(kPlotLeft + marker * spacing, kPlotTop),
                             QPointF(kPlotLeft + marker * spacing, H - 30));

    const QFont font = CreateGaugeFont(kChartFamily, kRegular, 3, *painter.device());
    painter.setPen(QPen(GaugeColour(kRed), 1));
    painter.drawLine(QPointF(40, 17), QPointF(80, 17));
    DrawGaugeText(painter, {85, 10}, GaugeColour(kBlack), font, QStringLiteral("Tx"));
    painter.setPen(QPen(GaugeColour(kBlue), 1));
    painter.drawLine(QPointF(120, 17), QPointF(160, 17));
    DrawGaugeText(painter, {165, 10}, GaugeColour(kBlack), font, QStringLiteral("Rx"));
    // The count stands at W - 20 while it fits there; a count of many digits moves left.
    const QString countText = QString::asprintf("%d", count);
    const double countX = std::min(W - 20, W - 2 - MeasureGaugeText(painter, font, countText).width());
    DrawGaugeText(painter, {countX, H - 25}, GaugeColour(kBlack), font, countText);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(GaugeColour(kBlack), 1));
    painter.drawRect(plot);
}

void CGraph_Function::DrawRfChannels(QPainter& painter, const QRect& rect, std::span<const uint8_t> current,
                                     std::span<const uint8_t> highest, bool txSide)
{
    ChartScope scope(painter, rect);
    const double W = rect.width(), H = rect.height();
    painter.fillRect(QRectF(0, 0, W, H), GaugeColour(kWhite));
    painter.fillRect(QRectF(kPlotLeft, kPlotTop, W - 40, H - 40), GaugeColour(kPaleGreen));
    DrawLevelGrid(painter, W, H, 12, 2, 10);

    const QFont font = CreateGaugeFont(kChartFamily, kRegular, 3, *painter.device());
    const double perUnit = (H - 40) / 120;
    const double baseline = H - 30;
    for (int j = 1; j <= int(kRfChannelCount); ++j) {
        const double x = kPlotLeft + j * (W - 40) / 76;
        if (j % 5 == 0) {
            painter.setPen(DashedPen(kGridGrey, 0.5));
            painter.drawLine(QPointF(x, kPlotTop), QPointF(x, baseline));
            DrawCentredText(painter, x, baseline + 3, GaugeColour(kBlack), font, QString::asprintf("%02d", j));
        }
        const size_t index = size_t(j - 1);
        const double level = index < current.size() ? std::min<int>(current[index], 120) : 0;
        const double peak = index < highest.size() ? std::min<int>(highest[index], 120) : 0;
        painter.setPen(QPen(GaugeColour(txSide ? kRed : kBlue), 2, Qt::SolidLine, Qt::FlatCap));
        if (level > 0)
            painter.drawLine(QPointF(x, baseline), QPointF(x, baseline - level * perUnit));
        painter.fillRect(QRectF(x - 1, baseline - peak * perUnit - 1, 2, 2), GaugeColour(kBlack));
    }
    DrawGaugeText(painter, {35, 10}, GaugeColour(kBlack), CreateGaugeFont(kChartFamily, kBold, 4, *painter.device()),
                  txSide ? QStringLiteral("Tx") : QStringLiteral("Rx"));
}

void CGraph_Function::DrawValueScale(QPainter& painter, const QRect& rect, const QString& caption, int minimum,
                                     int maximum, bool aboveFlag, bool belowFlag)
{
    DrawScale(painter, rect, caption, minimum, maximum, aboveFlag, belowFlag);
}

void CGraph_Function::DrawCellScale(QPainter& painter, const QRect& rect, int minimum, int maximum, bool aboveFlag,
                                    bool belowFlag)
{
    DrawScale(painter, rect, QStringLiteral("Cell Voltage (V)"), minimum, maximum, aboveFlag, belowFlag);
}

void CGraph_Function::DrawCellBars(QPainter& painter, const QRect& rect, std::span<const CellBar> cells, int minimum,
                                   int maximum)
{
    ChartScope scope(painter, rect);
    const double W = rect.width(), H = rect.height();
    const double unit = (W - 65) / (3 * double(cells.size()) + 1);
    const double baseline = H - 30;
    const double range = double(maximum) - minimum;
    const QFont font = CreateGaugeFont(kChartFamily, kRegular, 2.5, *painter.device());
    int shown = 0;
    for (const CellBar& cell : cells) {
        if (!cell.enabled)
            continue;
        const double left = 50 + (3 * shown + 1) * unit;
        const double height = range > 0 ? (cell.millivolts - double(minimum)) * (H - 60) / range : 0;
        const double top = std::clamp(baseline - height, 30.0, baseline);
        DrawCellBox(painter, left, 2 * unit, top, baseline, FromWindowsColour(cell.colour));
        DrawCentredText(painter, left + unit, top - 13, GaugeColour(kBlack), font,
                        QString::asprintf(": %d v", cell.millivolts));
        DrawCellName(painter, left + unit, baseline, font, cell.name);
        ++shown;
    }
}

int CGraph_Function::FrameIndexAt(int left, int right, int x, int frameCount)
{
    const double plotWidth = double(right) - left - 40;
    if (x - 30 <= 0 || frameCount <= 0 || plotWidth <= 0)
        return -1;
    // Frames per pixel rather than pixels per frame, so that more frames than pixels still work.
    const double index = (double(x) - 30) * frameCount / plotWidth;
    return static_cast<int>(std::min(index, double(frameCount - 1)));
}

}  // namespace skarnel
