#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QSizeF>
#include <QString>

class QPainter;

// Text placement of the gauges: every text is placed by the top-left corner of its line box,
// and a measured size is the advance width by the line height of the font.
namespace skarnel::gauges {

QSizeF MeasureGaugeText(const QPainter& painter, const QFont& font, const QString& text);

void DrawGaugeText(QPainter& painter, QPointF topLeft, const QColor& colour, const QFont& font, const QString& text);

// Centred on centreX, top at top.
void DrawCentredText(QPainter& painter, double centreX, double top, const QColor& colour, const QFont& font,
                     const QString& text);

// Right edge at right, top at top.
void DrawRightAlignedText(QPainter& painter, double right, double top, const QColor& colour, const QFont& font,
                          const QString& text);

// Makes the font smaller, if need be, so that text fits into width. The segment digits are wider
// than those the layouts were made for; a readout shrinks rather than running out of its place.
void ShrinkToFit(const QPainter& painter, QFont& font, const QString& text, double width);

// An instrument title: white, "Arial" bold underlined, size in millimetres, at its region's top left.
void DrawGaugeTitle(QPainter& painter, QPointF topLeft, double sizeMillimetres, const QString& title);

}  // namespace skarnel::gauges
