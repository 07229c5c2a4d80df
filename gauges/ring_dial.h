#pragma once

#include <QPainterPath>
#include <QRectF>

class QPainter;

// The ring dial, the instrument most panels are made of: a face picture, an aqua ring wedge cut
// into 3-degree segments, a black cap over its inner part and the value in segment digits.
//
// Angles are degrees clockwise from 3 o'clock (6 o'clock = 90, 12 o'clock = 270), as the
// instrument tables give them; Qt's arcs run counter-clockwise, and PieSlice turns one into the
// other.
namespace skarnel::gauges {

// A dial face and the scale printed on it (the faces table).
struct DialFace {
    int picture;
    double capStart;
    double sweep;
    double zero;  // angle of the value -offset
    double minimum;
    double maximum;
};

// The dial faces by picture number; nullptr for an unknown number.
const DialFace* FindDialFace(int picture);

// The filled part of the ring: from start clockwise over sweep (sweep >= 0).
struct DialWedge {
    double start = 0;
    double sweep = 0;
};

// The ring wedge of a value (already clamped to the scale) plus offset: it grows clockwise from
// the zero angle for a positive sum and counter-clockwise for a negative one.
DialWedge RingWedge(const DialFace& face, double value, double offset);

// Size in millimetres of the dial's value text, by the dial's width in pixels.
double DialValueTextSize(double width);

// The pie of rect from start clockwise over sweep, in the gauge angle convention.
QPainterPath PieSlice(const QRectF& rect, double start, double sweep);

// Black 0.5 px outlines of the 3-degree pie slices that fit into sweep (none for less than 3).
// With innerFraction above 0 the radii start at that fraction of the radius (what lies inside is
// covered anyway).
void DrawSegmentMarks(QPainter& painter, const QRectF& rect, double start, double sweep, double innerFraction = 0);

// One dial into rect (a square). The value is clamped to the face's scale here as well, so a
// caller's forgotten clamp cannot paint past the printed scale.
void DrawRingDial(QPainter& painter, const QRectF& rect, const DialFace& face, double value, double offset,
                  bool oneDecimal, bool frame);

}  // namespace skarnel::gauges
