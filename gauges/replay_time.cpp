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

}  // namespace

ReplayTimeTexts ReplayTimeTextsOf(int64_t current, int64_t end)
{
    return {QString::asprintf("%.2f", double(current) / kPerSecond), ClockText(current),
            QStringLiteral(" ") + ClockText(end)};
}

void CGraph_Function::DrawReplayTime(QPainter& painter, const QRect& rect, int64_t current, int64_t end)
{
    painter.save();
    painter.translate(rect.topLeft());
    painter.setClipRect(QRect(0, 0, rect.width(), rect.height()));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const double W = rect.width(), H = rect.height();
    painter.fillRect(QRectF(0, 0, W, H), GaugeColour(kBlack));

    const ReplayTimeTexts texts = ReplayTimeTextsOf(current, end);
    const QFont digits = CreateGaugeFont(kSegmentFamily, kRegular, 7.5, *painter.device());
    const QFont slash = CreateGaugeFont(kCaptionFamily, kBold, 8, *painter.device());
    const double top = (H - MeasureGaugeText(painter, digits, texts.seconds).height()) / 2;
    // The decimal point stays at x = 100 whatever the number of whole seconds.
    const QString whole = texts.seconds.left(texts.seconds.indexOf(QLatin1Char('.')));
    const double wholeWidth = MeasureGaugeText(painter, digits, whole).width();
    DrawGaugeText(painter, {100 - wholeWidth, top}, GaugeColour(kAqua), digits, texts.seconds);
    // The clock texts stand at W - 240, W - 130 and W - 125 when they fit; the segment digits are
    // wider than those places were made for, so the texts move left as far as they need.
    const double endWidth = MeasureGaugeText(painter, digits, texts.end).width();
    const double endX = std::min(W - 125, W - 4 - endWidth);
    const double slashWidth = MeasureGaugeText(painter, slash, QStringLiteral("/")).width();
    const double slashX = std::min(W - 130, endX - 4 - slashWidth);
    const double currentWidth = MeasureGaugeText(painter, digits, texts.current).width();
    DrawGaugeText(painter, {std::min(W - 240, slashX - 6 - currentWidth), top}, GaugeColour(kAqua), digits,
                  texts.current);
    DrawGaugeText(painter, {slashX, top}, GaugeColour(kAqua), slash, QStringLiteral("/"));
    DrawGaugeText(painter, {endX, top}, GaugeColour(kAqua), digits, texts.end);
    painter.restore();
}

}  // namespace skarnel
