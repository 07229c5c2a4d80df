#include "gauges/gauge_pictures.h"

#include "gauges/picture_art.h"

#include <QPainter>

#include <cmath>
#include <map>
#include <mutex>
#include <tuple>

namespace skarnel::gauges {
namespace {

// Enough for every picture of a few open panels at two sizes; past it the cache starts afresh.
constexpr size_t kCacheLimit = 96;

bool IsStatusLamp(int picture)
{
    return picture >= kStatusFailed && picture <= kStatusIdle;
}

QImage Render(int picture, QSize pixelSize)
{
    const QSize design = GaugePictureDesignSize(picture);
    if (design.isEmpty() || pixelSize.isEmpty())
        return {};
    QImage image(pixelSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(double(pixelSize.width()) / design.width(), double(pixelSize.height()) / design.height());
    if (picture == kSegmentStrip || picture == kSegmentStripSpare)
        PaintSegmentStrip(painter);
    else if (picture == kCompassRose)
        PaintCompassRose(painter);
    else if (picture == kMoveSymbol)
        PaintMoveSymbol(painter);
    else if (IsStatusLamp(picture))
        PaintStatusLamp(painter, picture);
    else if (picture > kCappedFace)
        PaintDialFace(painter, picture - kCappedFace, true);
    else
        PaintDialFace(painter, picture, false);
    return image;
}

}  // namespace

QSize GaugePictureDesignSize(int picture)
{
    if (picture > kCappedFace)
        picture -= kCappedFace;
    switch (picture) {
    case kSegmentStrip:
    case kSegmentStripSpare: return {21, 310};
    case kCompassRose: return {100, 100};
    case kMoveSymbol: return {31, 31};
    case kFaceClimb1Sec:
    case kFaceClimb3Sec:
    case kFaceClimb10Sec:
    case kFacePowerVolt:
    case kFacePowerCurrent80:
    case kFacePowerRpm:
    case kFaceSensor1Temp:
    case kFaceSensor1Volt:
    case kFaceSensor2Temp:
    case kFaceSensor2Volt:
    case kFaceOilLevel:
    case kFaceLowVolt:
    case kFaceReceiverTemp:
    case kFaceReceiverVolt:
    case kFacePowerCurrent320:
    case kFacePowerCapacity: return {400, 400};
    default: return IsStatusLamp(picture) ? QSize(20, 17) : QSize();
    }
}

QImage GaugePictureImage(int picture, QSize pixelSize)
{
    static std::mutex guard;
    static std::map<std::tuple<int, int, int>, QImage> cache;
    const auto key = std::make_tuple(picture, pixelSize.width(), pixelSize.height());
    std::lock_guard lock(guard);
    if (const auto found = cache.find(key); found != cache.end())
        return found->second;
    if (cache.size() >= kCacheLimit)
        cache.clear();
    return cache.emplace(key, Render(picture, pixelSize)).first->second;
}

void DrawGaugePicture(QPainter& painter, int picture, const QRectF& target)
{
    if (!(target.width() >= 1 && target.height() >= 1))
        return;
    // Placed on whole device pixels, the cached picture is copied instead of resampled: the
    // difference is under half a pixel, the copy several times faster.
    const double ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QRect pixels(int(std::lround(target.x() * ratio)), int(std::lround(target.y() * ratio)),
                       int(std::lround(target.width() * ratio)), int(std::lround(target.height() * ratio)));
    QImage image = GaugePictureImage(picture, pixels.size());
    if (image.isNull())
        return;
    image.setDevicePixelRatio(ratio);
    painter.drawImage(QPointF(pixels.x() / ratio, pixels.y() / ratio), image);
}

}  // namespace skarnel::gauges
