#pragma once

#include "gauges/graph_function.h"

#include <QPoint>
#include <QPolygonF>
#include <QRect>
#include <QSize>

#include <algorithm>
#include <concepts>
#include <cstdint>
#include <span>

class QPainter;

namespace skarnel {

// What the flight path drawing reads of the GPS path state, besides its points.
struct FlightPathExtents {
    int32_t north = 0, south = 0, west = 0, east = 0;  // largest offsets from the start, millionths of a degree
    int32_t maxNorthSouth = 0, maxEastWest = 0;
    double distNS = 0, distEW = 0;  // metres covered by maxNorthSouth and maxEastWest
};

// Where the path is drawn: the off-screen bitmap (the view's picture times the zoom), the part of
// it the view shows (control size and pan offsets) and the view's state.
struct FlightPathFrame {
    QSize bitmap;
    QSize control;
    QPoint pan;
    float zoom = 1.0f;
    bool dragging = false;
};

// Pixels per millionth of a degree and the start point's position in the bitmap.
struct FlightPathProjection {
    bool drawable = false;  // false: no points, or a path without north-south or east-west extent
    double scaleNS = 0;
    double scaleEW = 0;
    double x0 = 0;
    double y0 = 0;
};

// The ruler step in metres and its length in pixels at m pixels per metre.
struct FlightPathRulerStep {
    int metres = 0;
    double pixels = 0;
};

// A point of the path: anything with int32 offsets dNS (positive south) and dEW (positive east)
// in millionths of a degree, as the telemetry's PathPoint.
template <class Point>
concept FlightPathPoint = requires(const Point& point)
{
    {
        point.dNS
        } -> std::convertible_to<int32_t>;
    {
        point.dEW
        } -> std::convertible_to<int32_t>;
};

class CGraph_Function_GPS_Curve : public CGraph_Function {
public:
    // Draws the flown points (the first `current` of the path) into the bitmap painter: the hint
    // and zoom texts and the compass at the visible part's top left, the red path with a
    // cross-hair through its last point, and from 10 points on a distance scale and two rulers
    // that stay at the visible part's bottom and right edges.
    template <FlightPathPoint Point>
    static void DrawFlightPath(QPainter& painter, const FlightPathExtents& extents, std::span<const Point> flown,
                               const FlightPathFrame& frame)
    {
        const FlightPathProjection projection = ProjectFlightPath(extents, int(flown.size()), frame.bitmap);
        QPolygonF path;
        if (projection.drawable) {
            path.reserve(qsizetype(flown.size()));
            for (const Point& point : flown)
                path << QPointF(projection.x0 + double(int32_t(point.dEW)) * projection.scaleEW,
                                projection.y0 + double(int32_t(point.dNS)) * projection.scaleNS);
        }
        DrawProjectedFlightPath(painter, extents, projection, path, frame);
    }

    static FlightPathProjection ProjectFlightPath(const FlightPathExtents& extents, int pointCount, QSize bitmap);
    static FlightPathRulerStep RulerStep(double pixelsPerMetre);
    // Pixels per metre of the path: from the north-south extent, else the east-west one; 0 when
    // neither covers a distance.
    static double PixelsPerMetre(const FlightPathExtents& extents, const FlightPathProjection& projection);

private:
    static void DrawProjectedFlightPath(QPainter& painter, const FlightPathExtents& extents,
                                        const FlightPathProjection& projection, const QPolygonF& path,
                                        const FlightPathFrame& frame);
};

}  // namespace skarnel
