#include "gauges/gauge_font.h"
#include "gauges/gauge_style.h"
#include "gauges/gauge_text.h"
#include "gauges/graph_function.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace skarnel {

using namespace gauges;

namespace {

constexpr int64_t kPerSecond = 100;

QString ClockText(int64_t hundredths)
{
    const int64_t seconds = std::llabs(hundredths) / kPerSecond;
    return QString::asprintf("%02lld:%02d:%02d", static_cast<long long>(seconds / 3600),
                             static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
}

constexpr double kReplayDigitsMm = 7.5;
constexpr double kSmallestReplayDigitsMm = 2.0;
constexpr double kReplayStepMm = 0.5;
// The slash's size beside the digits' (8 mm to 7.5 mm).
constexpr double kSlashShare = 8.0 / 7.5;
constexpr double kEdge = 2;
constexpr double kGap = 6;

// The texts at one size: the seconds with their decimal point at x = 100; the clock texts at
// W - 240, W - 130 and W - 125 when they fit there, else as far left as they need.
ReplayTimeLayout PlaceReplayTime(const QPainter& painter, QSizeF box, const ReplayTimeTexts& texts, double millimetres)
{
    const QFont digits = CreateGaugeFont(kSegmentFamily, kRegular, millimetres, *painter.device());
    const QFont slash = CreateGaugeFont(kCaptionFamily, kBold, millimetres * kSlashShare, *painter.device());
    const double W = box.width();
    const QSizeF seconds = MeasureGaugeText(painter, digits, texts.seconds);
    const double top = (box.height() - seconds.height()) / 2;
    const QString whole = texts.seconds.left(texts.seconds.indexOf(QLatin1Char('.')));
    const double wholeWidth = MeasureGaugeText(painter, digits, whole).width();
    const QSizeF end = MeasureGaugeText(painter, digits, texts.end);
    const double endX = std::min(W - 125, W - 4 - end.width());
    const QSizeF slashSize = MeasureGaugeText(painter, slash, QStringLiteral("/"));
    const double slashX = std::min(W - 130, endX - 4 - slashSize.width());
    const QSizeF current = MeasureGaugeText(painter, digits, texts.current);
    const double currentX = std::min(W - 240, slashX - 6 - current.width());
    ReplayTimeLayout layout;
    layout.digitsMm = millimetres;
    layout.seconds = QRectF(QPointF(100 - wholeWidth, top), seconds);
    layout.current = QRectF(QPointF(currentX, top), current);
    layout.slash = QRectF(QPointF(slashX, (box.height() - slashSize.height()) / 2), slashSize);
    layout.end = QRectF(QPointF(endX, top), end);
    return layout;
}

// Every text inside the box and apart from its neighbour.
bool Fits(const ReplayTimeLayout& layout, QSizeF box)
{
    return layout.seconds.left() >= kEdge && layout.seconds.right() + kGap <= layout.current.left() &&
           layout.end.right() <= box.width() && layout.seconds.top() >= 0 && layout.seconds.bottom() <= box.height();
}

}  // namespace

ReplayTimeTexts ReplayTimeTextsOf(int64_t current, int64_t end)
{
    return {QString::asprintf("%.2f", double(current) / kPerSecond), ClockText(current),
            QStringLiteral(" ") + ClockText(end)};
}

ReplayTimeLayout ReplayTimeLayoutOf(const QPainter& painter, QSizeF box, int64_t current, int64_t end)
{
    const ReplayTimeTexts texts = ReplayTimeTextsOf(current, end);
    ReplayTimeLayout layout;
    for (double millimetres = kReplayDigitsMm; millimetres >= kSmallestReplayDigitsMm; millimetres -= kReplayStepMm) {
        layout = PlaceReplayTime(painter, box, texts, millimetres);
        if (Fits(layout, box))
            break;
    }
    return layout;
}

void CGraph_Function::DrawReplayTime(QPainter& painter, const QRect& rect, int64_t current, int64_t end)
{
    painter.save();
    painter.translate(rect.topLeft());
    painter.setClipRect(QRect(0, 0, rect.width(), rect.height()));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(QRectF(0, 0, rect.width(), rect.height()), GaugeColour(kBlack));
    const ReplayTimeTexts texts = ReplayTimeTextsOf(current, end);
    const ReplayTimeLayout layout = ReplayTimeLayoutOf(painter, rect.size(), current, end);
    const QFont digits = CreateGaugeFont(kSegmentFamily, kRegular, layout.digitsMm, *painter.device());
    const QFont slash = CreateGaugeFont(kCaptionFamily, kBold, layout.digitsMm * kSlashShare, *painter.device());
    DrawGaugeText(painter, layout.seconds.topLeft(), GaugeColour(kAqua), digits, texts.seconds);
    DrawGaugeText(painter, layout.current.topLeft(), GaugeColour(kAqua), digits, texts.current);
    DrawGaugeText(painter, layout.slash.topLeft(), GaugeColour(kAqua), slash, QStringLiteral("/"));
    DrawGaugeText(painter, layout.end.topLeft(), GaugeColour(kAqua), digits, texts.end);
    painter.restore();
}

}  // namespace skarnel
