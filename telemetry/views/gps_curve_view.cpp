#include "telemetry/views/gps_curve_view.h"

#include "gauges/graph_function_gps_curve.h"
#include "shell/main_frame.h"
#include "shell/view_table.h"
#include "telemetry/views/live_telemetry_hub.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <span>

namespace skarnel {
namespace {

constexpr int kWheelNotch = 120;
constexpr int kMargin = 5;

FlightPathExtents ExtentsOf(const GpsPath& path)
{
    return {path.north,         path.south,       path.west,   path.east,
            path.maxNorthSouth, path.maxEastWest, path.distNS, path.distEW};
}

}  // namespace

CFlight_Path_Picture::CFlight_Path_Picture(const GpsPath& path, QWidget* parent) : QWidget(parent), path_(path)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize CFlight_Path_Picture::BitmapSize() const
{
    return QSize(int(float(width()) * zoom_), int(float(height()) * zoom_));
}

void CFlight_Path_Picture::Invalidate()
{
    stale_ = true;
    update();
}

// The zoom is stepped in single precision, so fifteen steps from 1.0 end just below 2.5 and a
// sixteenth still zooms to 2.6.
bool CFlight_Path_Picture::ZoomNotch(bool forward)
{
    if (forward ? zoom_ >= kZoomMax : zoom_ <= 1.0f)
        return false;
    zoom_ = forward ? zoom_ + kZoomStep : zoom_ - kZoomStep;
    SetPan(pan_);
    Invalidate();
    return true;
}

void CFlight_Path_Picture::SetPan(QPoint pan)
{
    const QSize room = BitmapSize() - size();
    pan_ =
        QPoint(std::clamp(pan.x(), 0, std::max(room.width(), 0)), std::clamp(pan.y(), 0, std::max(room.height(), 0)));
}

void CFlight_Path_Picture::resizeEvent(QResizeEvent*)
{
    SetPan(pan_);
    stale_ = true;
}

void CFlight_Path_Picture::wheelEvent(QWheelEvent* event)
{
    wheelRest_ += event->angleDelta().y();
    for (; wheelRest_ >= kWheelNotch; wheelRest_ -= kWheelNotch)
        ZoomNotch(true);
    for (; wheelRest_ <= -kWheelNotch; wheelRest_ += kWheelNotch)
        ZoomNotch(false);
    event->accept();
}

void CFlight_Path_Picture::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    dragging_ = true;
    dragFrom_ = event->position().toPoint();
    Invalidate();
}

// Moving the mouse right shows more of the bitmap's left: the offset falls.
void CFlight_Path_Picture::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_)
        return;
    const QPoint at = event->position().toPoint();
    SetPan(pan_ - (at - dragFrom_));
    dragFrom_ = at;
    Invalidate();
}

void CFlight_Path_Picture::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !dragging_)
        return;
    dragging_ = false;
    Invalidate();
}

// The texts, the scale and the rulers follow the visible part, so the bitmap is drawn again
// for every pan as well.
void CFlight_Path_Picture::DrawBitmap()
{
    const qreal ratio = devicePixelRatioF();
    const QSize logical = BitmapSize();
    const QSize pixels = (QSizeF(logical) * ratio).toSize();
    if (bitmap_.size() != pixels)
        bitmap_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    bitmap_.setDevicePixelRatio(ratio);
    QPainter painter(&bitmap_);
    const size_t flown = size_t(std::clamp(path_.current, 0, int32_t(path_.points.size())));
    CGraph_Function_GPS_Curve::DrawFlightPath(painter, ExtentsOf(path_),
                                              std::span<const PathPoint>(path_.points.data(), flown),
                                              FlightPathFrame{logical, size(), pan_, zoom_, dragging_});
    stale_ = false;
    ++draws_;
}

void CFlight_Path_Picture::paintEvent(QPaintEvent*)
{
    if (width() <= 0 || height() <= 0)
        return;
    if (stale_ || bitmap_.devicePixelRatio() != devicePixelRatioF())
        DrawBitmap();
    QPainter(this).drawImage(
        QPoint(0, 0), bitmap_,
        QRectF(QPointF(pan_) * bitmap_.devicePixelRatio(), QSizeF(size()) * bitmap_.devicePixelRatio()));
}

CGPS_Curve_View::CGPS_Curve_View(CMainFrame& mainFrame)
    : CFunction_View(mainFrame, kViewGpsCurve), picture_(new CFlight_Path_Picture(path_, this))
{
    connect(&mainFrame.LiveData(), &CLive_Telemetry_Hub::NewData, this, &CGPS_Curve_View::OnNewData);
}

// The copy reuses its vector's room, so a growing path costs one copy of its points.
void CGPS_Curve_View::OnNewData(int view)
{
    if (view != kViewGpsCurve)
        return;
    path_ = MainFrame().LiveData().Data().path;
    picture_->Invalidate();
}

void CGPS_Curve_View::resizeEvent(QResizeEvent*)
{
    picture_->setGeometry(kMargin, kMargin, width() - 2 * kMargin, height() - 2 * kMargin);
}

}  // namespace skarnel
