#include "gauges/gauge_text.h"

#include "gauges/gauge_font.h"
#include "gauges/gauge_style.h"

#include <QFontMetricsF>
#include <QHashFunctions>
#include <QPainter>
#include <QStaticText>

#include <unordered_map>
#include <utility>
#include <vector>

namespace skarnel::gauges {

namespace {

// A segment face has digits but no real letters: units and signs after the digits ("m", "km/h",
// "dbm", "%") are set in the caption face at the same size, as a real display prints its units.
bool IsSegmentFace(const QFont& font)
{
    return font.family().startsWith(QLatin1String("DSEG"));
}

bool SegmentGlyph(QChar c)
{
    return c.isDigit() || c == u' ' || c == u'.' || c == u'-' || c == u':';
}

struct TextRun {
    QString text;
    QFont font;
};

std::vector<TextRun> RunsOf(const QFont& font, const QString& text)
{
    if (!IsSegmentFace(font))
        return {{text, font}};
    QFont letters = font;
    letters.setFamily(InstalledGaugeFamily(kCaptionFamily));
    std::vector<TextRun> runs;
    for (const QChar c : text) {
        const QFont& wanted = SegmentGlyph(c) ? font : letters;
        if (runs.empty() || runs.back().font != wanted)
            runs.push_back({QString(), wanted});
        runs.back().text += c;
    }
    return runs;
}

// A text laid out once: the gauges draw the same titles, labels and many of the same values on
// every paint, and laying a text out costs more than drawing it. One cache per thread, since a
// laid-out text is not to be shared between threads; it starts afresh when full.
struct Shaped {
    QStaticText text;
    double width = 0;
    double height = 0;
    double ascent = 0;
};

struct ShapedKey {
    QString family;
    double pointSize;
    int weight;
    bool underline;
    int dotsPerInch;
    QString text;
    bool operator==(const ShapedKey&) const = default;
};

struct ShapedKeyHash {
    size_t operator()(const ShapedKey& key) const
    {
        return qHashMulti(0, key.family, key.pointSize, key.weight, key.underline, key.dotsPerInch, key.text);
    }
};

const Shaped& ShapedText(const QPainter& painter, const QFont& font, const QString& text)
{
    constexpr size_t kCacheLimit = 2048;
    thread_local std::unordered_map<ShapedKey, Shaped, ShapedKeyHash> cache;
    const QPaintDevice* device = painter.device();
    ShapedKey key{font.family(), font.pointSizeF(), font.weight(), font.underline(), device ? device->logicalDpiY() : 0,
                  text};
    if (const auto found = cache.find(key); found != cache.end())
        return found->second;
    if (cache.size() >= kCacheLimit)
        cache.clear();
    const QFontMetricsF metrics(font, painter.device());
    Shaped shaped{QStaticText(text), metrics.horizontalAdvance(text), metrics.height(), metrics.ascent()};
    shaped.text.setTextFormat(Qt::PlainText);
    shaped.text.setPerformanceHint(QStaticText::AggressiveCaching);
    shaped.text.prepare(QTransform(), font);
    return cache.emplace(std::move(key), std::move(shaped)).first->second;
}

}  // namespace

QSizeF MeasureGaugeText(const QPainter& painter, const QFont& font, const QString& text)
{
    double width = 0;
    for (const TextRun& run : RunsOf(font, text))
        width += ShapedText(painter, run.font, run.text).width;
    return {width, ShapedText(painter, font, QString()).height};
}

void DrawGaugeText(QPainter& painter, QPointF topLeft, const QColor& colour, const QFont& font, const QString& text)
{
    const double baseline = topLeft.y() + ShapedText(painter, font, QString()).ascent;
    double x = topLeft.x();
    painter.setPen(colour);
    for (const TextRun& run : RunsOf(font, text)) {
        const Shaped& shaped = ShapedText(painter, run.font, run.text);
        painter.setFont(run.font);
        // A laid-out text loses its underline's place on a device with a pixel ratio.
        if (run.font.underline())
            painter.drawText(QPointF(x, baseline), run.text);
        else
            painter.drawStaticText(QPointF(x, baseline - shaped.ascent), shaped.text);
        x += shaped.width;
    }
}

void DrawCentredText(QPainter& painter, double centreX, double top, const QColor& colour, const QFont& font,
                     const QString& text)
{
    const double width = MeasureGaugeText(painter, font, text).width();
    DrawGaugeText(painter, {centreX - width / 2, top}, colour, font, text);
}

void DrawRightAlignedText(QPainter& painter, double right, double top, const QColor& colour, const QFont& font,
                          const QString& text)
{
    const double width = MeasureGaugeText(painter, font, text).width();
    DrawGaugeText(painter, {right - width, top}, colour, font, text);
}

void ShrinkToFit(const QPainter& painter, QFont& font, const QString& text, double width)
{
    constexpr double kStep = 0.95;
    constexpr double kSmallestPoints = 1;
    const double wanted = MeasureGaugeText(painter, font, text).width();
    if (wanted <= width || width <= 0)
        return;
    font.setPointSizeF(font.pointSizeF() * width / wanted);
    // The glyphs' advances are whole pixels and do not shrink in proportion to the size: a text
    // scaled to the width may still be a few pixels too wide, so it shrinks a step at a time.
    while (MeasureGaugeText(painter, font, text).width() > width && font.pointSizeF() * kStep >= kSmallestPoints)
        font.setPointSizeF(font.pointSizeF() * kStep);
}

void DrawGaugeTitle(QPainter& painter, QPointF topLeft, double sizeMillimetres, const QString& title)
{
    const QFont font = CreateGaugeFont(kCaptionFamily, kBoldUnderlined, sizeMillimetres, *painter.device());
    DrawGaugeText(painter, topLeft, GaugeColour(kWhite), font, title);
}

}  // namespace skarnel::gauges
