#include "gauges/gauge_font.h"
#include "gauges/gauge_pictures.h"
#include "gauges/gauge_style.h"
#include "gauges/gauge_text.h"
#include "gauges/panel_instruments.h"

#include <QPainter>

#include <algorithm>
#include <array>

namespace skarnel::gauges {
namespace {

// Bar geometry shared by the RF bar and the receiver bars: a 14-unit column of a 20-unit region.
struct BarFrame {
    double u, left, width, top, bottom, centreX;
};

// A white 1 px frame on whole pixels: sharp, and without the antialiasing pass of a stroke.
void DrawFrameLine(QPainter& painter, const QRectF& rect)
{
    const bool smooth = painter.testRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(GaugeColour(kWhite), 1));
    const QRect pixels = rect.toRect();
    painter.drawRect(pixels.adjusted(0, 0, -1, -1));
    painter.setRenderHint(QPainter::Antialiasing, smooth);
}

BarFrame FrameOf(const QRectF& region)
{
    const double u = region.height() / 20;
    return {u,
            region.x() + 2 * region.width() / 5,
            region.width() / 3,
            region.y() + 3 * u,
            region.y() + 17 * u,
            region.x() + region.width() / 2};
}

void DrawBarColumn(QPainter& painter, const BarFrame& bar, double fraction)
{
    const double full = 14 * bar.u;
    const double filled = full * std::clamp(fraction, 0.0, 1.0);
    FillWithBarHatch(painter, QRectF(bar.left, bar.bottom - filled, bar.width, filled));
    DrawGaugePicture(painter, kSegmentStrip, QRectF(bar.left, bar.top, bar.width / 3, full));
    DrawFrameLine(painter, QRectF(bar.left, bar.top, bar.width, full));
}

constexpr std::array<double, 6> kBarWidths{100, 120, 145, 170, 195, 220};
constexpr std::array<double, 7> kRfScaleSizes{4, 5, 6, 7, 8, 9, 10};
constexpr std::array<double, 7> kRfCaptionSizes{3, 3.5, 4, 4.5, 5, 5.5, 6};
constexpr std::array<double, 7> kReceiverSizes{3, 3.5, 4, 4.5, 5, 5.5, 6};

size_t BarColumn(double width, bool hasNarrowColumn)
{
    size_t column = 0;
    while (column < kBarWidths.size() && !(width < kBarWidths[column]))
        ++column;
    return (!hasNarrowColumn && column == 0) ? 1 : column;
}

struct CellLayout {
    double unit;
    double axisX;
    double baselineEnd;
    double firstLeft;
    double cellWidth;
    std::array<double, 7> valueSizes;
    std::array<double, 7> nameSizes;
    std::array<double, 6> widthSteps;  // "up to" widths
};

CellLayout LayoutFor(const QRectF& region, size_t cells)
{
    const double x = region.x(), w = region.width();
    if (cells > 6) {
        const double v = w / 47;
        return {v,
                x + 3 * v,
                x + 44 * v + 15,
                x + 4 * v,
                2 * v,
                {2, 2.5, 3, 3.5, 4, 4.5, 4.5},
                {1.5, 2, 2.5, 3, 3.5, 4, 4},
                {310, 350, 390, 430, 470, 1e9}};
    }
    const double v = w / 21;
    return {v,
            x + 2 * v + 3,
            x + 20 * v,
            x + 3 * v,
            1.5 * v,
            {3, 3.5, 4, 4.5, 5, 5.5, 6},
            {2, 2.5, 3, 3.5, 4, 4.5, 5},
            {270, 310, 350, 390, 430, 470}};
}

size_t CellSizeColumn(const CellLayout& layout, double width)
{
    size_t column = 0;
    while (column < layout.widthSteps.size() && width > layout.widthSteps[column])
        ++column;
    return column;
}

// "C1".."C6", or "L1".."L7" then "H1".."H7" for the two halves of fourteen cells.
QString CellName(size_t index, size_t count)
{
    if (count <= 6)
        return QString::asprintf("C%d", int(index + 1));
    const size_t half = count / 2;
    return index < half ? QString::asprintf("L%d", int(index + 1)) : QString::asprintf("H%d", int(index - half + 1));
}

}  // namespace

void FillWithBarHatch(QPainter& painter, const QRectF& rect)
{
    if (!(rect.height() > 0))
        return;
    // A dot pattern has no edges worth smoothing: on whole pixels it is filled without the
    // antialiasing pass, several times faster.
    const bool smooth = painter.testRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(rect.toRect(), QBrush(GaugeColour(kAqua), Qt::Dense3Pattern));
    painter.setRenderHint(QPainter::Antialiasing, smooth);
}

void DrawRfBar(QPainter& painter, float fontFactor, const QRectF& region, int rxsq, PanelKind panel)
{
    const BarFrame bar = FrameOf(region);
    const int r = std::clamp(rxsq, 0, 100);
    const size_t column = BarColumn(region.width(), panel == PanelKind::General || panel == PanelKind::Gps);
    const double scaleSize = kRfScaleSizes[column];
    const QPaintDevice& device = *painter.device();

    const QFont caption = CreateGaugeFont(kCaptionFamily, kBold, kRfCaptionSizes[column], device);
    const QString rxsqText = QStringLiteral("RXSQ");
    DrawGaugeText(painter, {bar.left, bar.top - MeasureGaugeText(painter, caption, rxsqText).height()},
                  GaugeColour(kWhite), caption, rxsqText);
    QFont scale = CreateGaugeFont(kSegmentFamily, kBold, scaleSize, device);
    // A narrow instrument's "100" would reach past its left edge.
    ShrinkToFit(painter, scale, QStringLiteral("100"), bar.left - region.left() - 1);
    DrawRightAlignedText(painter, bar.left, bar.top, GaugeColour(kRed), scale, QStringLiteral("100"));
    const double zeroHeight = MeasureGaugeText(painter, scale, QStringLiteral("0")).height();
    DrawRightAlignedText(painter, bar.left, bar.bottom - zeroHeight, GaugeColour(kRed), scale, QStringLiteral("0"));
    const QFont value = CreateGaugeFont(kSegmentFamily, kBold, scaleSize - 1, device);
    DrawCentredText(painter, bar.centreX, bar.bottom + 1, GaugeColour(kAqua), value, QString::asprintf("%d%%", r));
    DrawBarColumn(painter, bar, r / 100.0);
    DrawGaugeTitle(painter, region.topLeft(), fontFactor, QStringLiteral("RF"));
}

void DrawReceiverBar(QPainter& painter, const QRectF& region, const ReceiverBarScale& scale, int value)
{
    const BarFrame bar = FrameOf(region);
    const int clamped = std::clamp(value, scale.minimum, scale.maximum);
    const double size = kReceiverSizes[BarColumn(region.width(), true)];
    const QPaintDevice& device = *painter.device();

    const QFont nameFont = CreateGaugeFont(kCaptionFamily, kBold, size, device);
    const QString name = QString::fromLatin1(scale.name);
    DrawCentredText(painter, bar.left + region.width() / 6,
                    bar.top - 1 - MeasureGaugeText(painter, nameFont, name).height(), GaugeColour(kWhite), nameFont,
                    name);
    const QFont limits = CreateGaugeFont(kSegmentFamily, kBold, size, device);
    const double half = MeasureGaugeText(painter, limits, QStringLiteral("0")).height() / 2;
    DrawRightAlignedText(painter, bar.left, bar.top - half, GaugeColour(kRed), limits, QString::number(scale.maximum));
    DrawRightAlignedText(painter, bar.left, bar.bottom - half, GaugeColour(kRed), limits,
                         QString::number(scale.minimum));
    QFont valueFont = CreateGaugeFont(kSegmentFamily, kBold, size + 1, device);
    const QString valueText = QString::asprintf("%d%s", clamped, scale.unit);
    ShrinkToFit(painter, valueFont, valueText, region.right() - bar.left);
    DrawGaugeText(painter, {bar.left, bar.bottom + 1}, GaugeColour(kAqua), valueFont, valueText);
    const int range = scale.maximum - scale.minimum;
    DrawBarColumn(painter, bar, range > 0 ? double(clamped) / range : 0.0);
}

void DrawBattCells(QPainter& painter, float fontFactor, const QRectF& region, std::span<const float> volts)
{
    const double x = region.x(), y = region.y(), c = region.height() / 6;
    const CellLayout layout = LayoutFor(region, volts.size());
    const size_t sizeColumn = CellSizeColumn(layout, region.width());
    QFont valueFont = CreateGaugeFont(kSegmentFamily, kBold, layout.valueSizes[sizeColumn], *painter.device());
    ShrinkToFit(painter, valueFont, QStringLiteral("0.00"), 2.4 * layout.unit);  // a gap between neighbours
    const QFont nameFont = CreateGaugeFont(kCaptionFamily, kBold, layout.nameSizes[sizeColumn], *painter.device());

    painter.setPen(QPen(GaugeColour(kWhite), 1));
    painter.drawLine(QPointF(layout.axisX, y + c), QPointF(layout.axisX, y + 5 * c));
    painter.drawLine(QPointF(layout.axisX, y + 5 * c), QPointF(layout.baselineEnd, y + 5 * c));
    DrawGaugeText(painter, {x, y + c}, GaugeColour(kRed), valueFont, QStringLiteral("4.2v"));
    const double limitHeight = MeasureGaugeText(painter, valueFont, QStringLiteral("4.2")).height();
    DrawGaugeText(painter, {x, y + 5 * c - limitHeight}, GaugeColour(kRed), valueFont, QStringLiteral("3.0v"));
    const double nameHeight = MeasureGaugeText(painter, nameFont, QStringLiteral("C1")).height();

    for (size_t n = 0; n < volts.size(); ++n) {
        const double left = layout.firstLeft + 3 * double(n) * layout.unit;
        const double centre = left + layout.cellWidth / 2;
        const double fill = CellFillHeight(volts[n], c);
        FillWithBarHatch(painter, QRectF(left, y + 5 * c - fill, layout.cellWidth, fill));
        DrawFrameLine(painter, QRectF(left, y + c, layout.cellWidth, 4 * c));
        DrawCentredText(painter, centre, y + c - 1 - nameHeight, GaugeColour(kWhite), nameFont,
                        CellName(n, volts.size()));
        DrawCentredText(painter, centre, y + 5 * c, GaugeColour(kAqua), valueFont,
                        QString::asprintf("%.2f", DisplayableReading(volts[n])));
    }
    DrawGaugeTitle(painter, region.topLeft(), fontFactor, QStringLiteral("Batt Cells"));
}

}  // namespace skarnel::gauges
