#include "gauges/gauge_font.h"
#include "gauges/gauge_style.h"
#include "gauges/gauge_text.h"
#include "gauges/graph_function.h"

#include <QPainter>

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
    DrawGaugeText(painter, {W - 240, top}, GaugeColour(kAqua), digits, texts.current);
    DrawGaugeText(painter, {W - 130, top}, GaugeColour(kAqua), slash, QStringLiteral("/"));
    DrawGaugeText(painter, {W - 125, top}, GaugeColour(kAqua), digits, texts.end);
    painter.restore();
}

}  // namespace skarnel
