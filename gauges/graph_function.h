#pragma once

#include <QRect>
#include <QString>

#include <cstdint>
#include <span>

class QPainter;

namespace skarnel {

// One bar of the cell voltage chart.
struct CellBar {
    int millivolts = 0;
    bool enabled = true;
    uint32_t colour = 0;  // a Windows colour value: red in the low byte, blue in the third
    QString name;         // drawn as "#" + name; a blank splits it over two lines
};

// The charts the telemetry views draw, and the base of the panel classes. Every operation draws
// the whole chart into rect of the painter (usually an off-screen QImage) with antialiasing and
// keeps nothing between calls; all coordinates below are relative to rect's top left.
class CGraph_Function {
public:
    // RF levels over a recording: Tx (red) and Rx (blue) level per frame over a 0..130 scale, and
    // two red marker lines at frame indices (out of range: not drawn). Frames beyond the shorter
    // array, or beyond frameCount, are not drawn.
    static void DrawRfHistory(QPainter& painter, const QRect& rect, std::span<const uint8_t> txLevels,
                              std::span<const uint8_t> rxLevels, int frameCount, int marker1, int marker2);

    // The 75 channels of one side: current levels as bars, highest levels as dots (0..120).
    static void DrawRfChannels(QPainter& painter, const QRect& rect, std::span<const uint8_t> current,
                               std::span<const uint8_t> highest, bool txSide);

    // A value chart's scale: caption, 11 grid lines labelled from minimum to maximum (thousandths),
    // and the two off-scale markers (a triangle when the flag is clear, a bar when it is set).
    static void DrawValueScale(QPainter& painter, const QRect& rect, const QString& caption, int minimum, int maximum,
                               bool aboveFlag, bool belowFlag);

    // The cell voltage chart's scale ("Cell Voltage (V)"), limits in millivolts.
    static void DrawCellScale(QPainter& painter, const QRect& rect, int minimum, int maximum, bool aboveFlag,
                              bool belowFlag);

    // The enabled cells as boxes in perspective over the scale drawn by DrawCellScale.
    static void DrawCellBars(QPainter& painter, const QRect& rect, std::span<const CellBar> cells, int minimum,
                             int maximum);

    // The frame a click at x hits on an RF history chart from left to right: -1 left of the plot
    // or without frames, at most frameCount - 1.
    static int FrameIndexAt(int left, int right, int x, int frameCount);

    // The replay clock: "3661.00" and "01:01:01 / 02:00:00" (hundredths of a second).
    static void DrawReplayTime(QPainter& painter, const QRect& rect, int64_t current, int64_t end);
};

// The texts of the replay clock.
struct ReplayTimeTexts {
    QString seconds;  // "%.2f"
    QString current;  // "%02d:%02d:%02d"
    QString end;      // " %02d:%02d:%02d"
};
ReplayTimeTexts ReplayTimeTextsOf(int64_t current, int64_t end);

// Where the replay clock's texts stand in a box of that size: at their 7.5 mm size when they
// fit there apart from each other, else at the first size half a millimetre at a time smaller
// that does (2 mm at the least).
struct ReplayTimeLayout {
    double digitsMm = 0;
    QRectF seconds;
    QRectF current;
    QRectF slash;
    QRectF end;
};
ReplayTimeLayout ReplayTimeLayoutOf(const QPainter& painter, QSizeF box, int64_t current, int64_t end);

}  // namespace skarnel
