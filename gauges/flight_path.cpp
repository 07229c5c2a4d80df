#include "gauges/gauge_font.h"
#include "gauges/gauge_pictures.h"
#include "gauges/gauge_style.h"
#include "gauges/gauge_text.h"
#include "gauges/graph_function_gps_curve.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace skarnel {

using namespace gauges;

namespace {

constexpr int kRulerPointCount = 10;

struct StepRow {
    double above;  // pixels per metre
    int metres;
};
constexpr std::array<StepRow, 6> kSteps{{{8, 5}, {4, 10}, {2, 20}, {1, 50}, {0.5, 100}, {0.25, 200}}};
constexpr int kLongestStep = 400;

bool Positive(double value)
{
    return std::isfinite(value) && value > 0;
}

void DrawViewTexts(QPainter& painter, const FlightPathFrame& frame, const QFont& font)
{
    const double px = frame.pan.x(), py = frame.pan.y();
    DrawGaugeText(painter, {px, py}, GaugeColour(kBlue), font,
                  QStringLiteral("Mouse Wheel Up : Zoom(+),  Down : Zoom(-)"));
    const double line = MeasureGaugeText(painter, font, QStringLiteral("Mouse Wheel")).height();
    DrawGaugeText(painter, {px, py + line}, GaugeColour(kRed), font,
                  QString::asprintf("Zoom : x%.1f", double(frame.zoom)));
    DrawGaugePicture(painter, kCompassRose, QRectF(px + 5, py + 30, 100, 100));
    if (frame.zoom > 1.0f && frame.dragging)
        DrawGaugePicture(painter, kMoveSymbol, QRectF(px + 40, py + 150, 30, 30));
}

void DrawScaleBar(QPainter& painter, const FlightPathFrame& frame, const FlightPathRulerStep& step, const QFont& font)
{
    const double px = frame.pan.x(), py = frame.pan.y();
    painter.setPen(QPen(GaugeColour(kBlue), 3, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(px + 250, py + 5), QPointF(px + 250 + step.pixels, py + 5));
    painter.drawLine(QPointF(px + 250, py + 2), QPointF(px + 250, py + 10));
    painter.drawLine(QPointF(px + 250 + step.pixels, py + 2), QPointF(px + 250 + step.pixels, py + 10));
    DrawGaugeText(painter, {px + 253, py + 8}, GaugeColour(kRed), font, QString::asprintf("%dm", step.metres));
}

// Marks at origin, origin - P, origin + P, ... within [0, limit]; each is drawn by mark(position, metres).
template <class Mark> void ForEachRulerMark(double origin, double limit, const FlightPathRulerStep& step, Mark mark)
{
    if (!(step.pixels >= 1) || !std::isfinite(origin))  // below a pixel a label would cover every pixel
        return;
    const double reach = std::max(std::abs(origin), std::abs(limit - origin));
    const int last = static_cast<int>(std::min(reach / step.pixels, limit + 1));
    for (int k = 0; k <= last; ++k) {
        for (const double at : {origin - k * step.pixels, origin + k * step.pixels}) {
            if (at >= 0 && at <= limit)
                mark(at, k * step.metres);
            if (k == 0)
                break;
        }
    }
}

void DrawRulers(QPainter& painter, const FlightPathFrame& frame, const FlightPathProjection& projection,
                const FlightPathRulerStep& step, const QFont& font)
{
    const double W = frame.bitmap.width(), H = frame.bitmap.height();
    const double rulerY = frame.pan.y() + frame.control.height() - 25;
    const double rulerX = frame.pan.x() + frame.control.width() - 30;
    painter.setPen(QPen(GaugeColour(kRulerGrey), 1));
    painter.drawLine(QPointF(0, rulerY), QPointF(W, rulerY));
    painter.drawLine(QPointF(rulerX, 0), QPointF(rulerX, H));
    ForEachRulerMark(projection.x0, W, step, [&](double x, int metres) {
        painter.setPen(QPen(GaugeColour(kRulerGrey), 1));
        painter.drawLine(QPointF(x, rulerY), QPointF(x, rulerY + 10));
        DrawGaugeText(painter, {x + 2, rulerY + 2}, GaugeColour(kBlue), font, QString::asprintf("%dm", metres));
    });
    ForEachRulerMark(projection.y0, H, step, [&](double y, int metres) {
        painter.setPen(QPen(GaugeColour(kRulerGrey), 1));
        painter.drawLine(QPointF(rulerX, y), QPointF(rulerX + 10, y));
        DrawGaugeText(painter, {rulerX + 2, y + 2}, GaugeColour(kBlue), font, QString::asprintf("%dm", metres));
    });
}

}  // namespace

FlightPathProjection CGraph_Function_GPS_Curve::ProjectFlightPath(const FlightPathExtents& extents, int pointCount,
                                                                  QSize bitmap)
{
    const double northSouth = double(extents.north) + extents.south;
    const double eastWest = double(extents.east) + extents.west;
    if (pointCount <= 0 || northSouth == 0 || eastWest == 0)
        return {};
    double aspect = 1;
    if (pointCount > kRulerPointCount) {
        const double ratio = (extents.maxNorthSouth / extents.distNS) / (extents.maxEastWest / extents.distEW);
        if (Positive(ratio))
            aspect = ratio;
    }
    const double W = bitmap.width(), H = bitmap.height();
    const double scale = std::min(0.9 * H / northSouth, 0.9 * W / aspect / eastWest);
    const double scaleEW = aspect * scale;
    return {true, scale, scaleEW, (W - eastWest * scaleEW) / 2 + extents.west * scaleEW,
            (H - northSouth * scale) / 2 + extents.north * scale};
}

FlightPathRulerStep CGraph_Function_GPS_Curve::RulerStep(double pixelsPerMetre)
{
    int metres = kLongestStep;
    for (const StepRow& row : kSteps) {
        if (pixelsPerMetre > row.above) {
            metres = row.metres;
            break;
        }
    }
    return {metres, metres * pixelsPerMetre};
}

double CGraph_Function_GPS_Curve::PixelsPerMetre(const FlightPathExtents& extents,
                                                 const FlightPathProjection& projection)
{
    const double northSouth = extents.maxNorthSouth * projection.scaleNS / extents.distNS;
    if (Positive(northSouth))
        return northSouth;
    const double eastWest = extents.maxEastWest * projection.scaleEW / extents.distEW;
    return Positive(eastWest) ? eastWest : 0;
}

void CGraph_Function_GPS_Curve::DrawProjectedFlightPath(QPainter& painter, const FlightPathExtents& extents,
                                                        const FlightPathProjection& projection, const QPolygonF& path,
                                                        const FlightPathFrame& frame)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const double W = frame.bitmap.width(), H = frame.bitmap.height();
    painter.fillRect(QRectF(0, 0, W, H), GaugeColour(kWhite));
    const QFont font = CreateGaugeFont(kCaptionFamily, kRegular, 3, *painter.device());
    DrawViewTexts(painter, frame, font);
    if (projection.drawable && !path.isEmpty()) {
        painter.setPen(QPen(GaugeColour(kRed), 1));
        painter.drawPolyline(path);
        QPen crossHair(GaugeColour(kLavender), 1);
        crossHair.setStyle(Qt::DashLine);
        painter.setPen(crossHair);
        const QPointF last = path.last();
        painter.drawLine(QPointF(0, last.y()), QPointF(W, last.y()));
        painter.drawLine(QPointF(last.x(), 0), QPointF(last.x(), H));
        const double perMetre = PixelsPerMetre(extents, projection);
        if (path.size() >= kRulerPointCount && perMetre > 0) {
            const FlightPathRulerStep step = RulerStep(perMetre);
            DrawScaleBar(painter, frame, step, font);
            DrawRulers(painter, frame, projection, step, font);
        }
    }
    painter.restore();
}

}  // namespace skarnel
