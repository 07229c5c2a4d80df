#pragma once

class QPainter;

// The procedural artwork of the gauge pictures. Each function paints its picture in the
// picture's design coordinates (see GaugePictureDesignSize); the caller scales the painter.
namespace skarnel::gauges {

// Returns false for a picture that is not a dial face. With capped set, the face also carries the
// black cap the ring dial lays over the inner part of its ring.
bool PaintDialFace(QPainter& painter, int picture, bool capped);

void PaintSegmentStrip(QPainter& painter);
void PaintCompassRose(QPainter& painter);
void PaintMoveSymbol(QPainter& painter);
// Returns false for a picture that is not a status lamp.
bool PaintStatusLamp(QPainter& painter, int picture);

}  // namespace skarnel::gauges
