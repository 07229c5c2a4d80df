#include "telemetry/views/gauge_picture.h"

#include <QPainter>

namespace skarnel {

CGauge_Picture::CGauge_Picture(Drawing drawing, QWidget* parent) : QWidget(parent), drawing_(std::move(drawing))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CGauge_Picture::Invalidate()
{
    stale_ = true;
    update();
}

void CGauge_Picture::resizeEvent(QResizeEvent*)
{
    stale_ = true;
}

void CGauge_Picture::paintEvent(QPaintEvent*)
{
    if (width() <= 0 || height() <= 0)
        return;
    const qreal ratio = devicePixelRatioF();
    if (stale_ || image_.isNull() || image_.devicePixelRatio() != ratio) {
        const QSize pixels = (QSizeF(size()) * ratio).toSize();
        if (image_.size() != pixels)
            image_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        image_.setDevicePixelRatio(ratio);
        QPainter painter(&image_);
        drawing_(painter, rect());
        stale_ = false;
        ++draws_;
    }
    QPainter(this).drawImage(0, 0, image_);
}

}  // namespace skarnel
