#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>

class QPainter;

// The pictures the gauges draw: dial faces, the segment strip, the compass rose, the move symbol
// and the four recording status lamps. All are drawn by this program (no image files); each is
// drawn once per picture and pixel size and kept in a small cache, so a repaint at an unchanged
// size only copies it.
namespace skarnel::gauges {

enum GaugePicture : int {
    kFaceClimb1Sec = 333,
    kFaceClimb3Sec = 334,
    kFaceClimb10Sec = 335,
    kFacePowerVolt = 336,
    kFacePowerCurrent80 = 337,
    kFacePowerRpm = 338,
    kSegmentStripSpare = 339,
    kFaceSensor1Temp = 340,
    kFaceSensor1Volt = 341,
    kFaceSensor2Temp = 342,
    kFaceSensor2Volt = 343,
    kSegmentStrip = 344,
    kFaceOilLevel = 345,
    kFaceLowVolt = 346,
    kFaceReceiverTemp = 347,
    kFaceReceiverVolt = 348,
    kStatusFailed = 349,
    kStatusBusy = 350,
    kStatusGood = 351,
    kStatusIdle = 352,
    kFacePowerCurrent320 = 354,
    kFacePowerCapacity = 382,
    kCompassRose = 397,
    kMoveSymbol = 398,
};

// Added to a dial face's number: the face with the ring dial's black cap already on it.
inline constexpr int kCappedFace = 1000;

// The size the picture is designed at (a face 400 x 400, the strip 21 x 310, ...).
QSize GaugePictureDesignSize(int picture);

// The picture drawn at exactly pixelSize pixels (cached); a null image for an unknown id.
QImage GaugePictureImage(int picture, QSize pixelSize);

// Draws the picture scaled into target, at the painter's device pixel ratio.
void DrawGaugePicture(QPainter& painter, int picture, const QRectF& target);

}  // namespace skarnel::gauges
