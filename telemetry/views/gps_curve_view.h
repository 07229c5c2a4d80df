#pragma once

#include "shell/function_view.h"
#include "telemetry/gps_path.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

namespace skarnel {

// The flight path picture: the path drawn into a bitmap the picture's size times the zoom, of
// which the part at the pan offsets shows. The wheel zooms from 1.0 to 2.6 in steps of 0.1
// (single precision, as the zoom text shows it), a drag with the left button pans.
class CFlight_Path_Picture final : public QWidget {
    Q_OBJECT
public:
    static constexpr float kZoomStep = 0.1f;
    static constexpr float kZoomMax = 2.5f;  // below this a forward notch still zooms in

    CFlight_Path_Picture(const GpsPath& path, QWidget* parent);

    float Zoom() const { return zoom_; }
    QPoint Pan() const { return pan_; }
    bool Dragging() const { return dragging_; }
    QSize BitmapSize() const;
    int Draws() const { return draws_; }
    // The path changed: draw again at the next paint.
    void Invalidate();
    // One wheel notch; whether the zoom changed.
    bool ZoomNotch(bool forward);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void DrawBitmap();
    void SetPan(QPoint pan);

    const GpsPath& path_;
    float zoom_ = 1.0f;
    QPoint pan_;
    bool dragging_ = false;
    QPoint dragFrom_;
    int wheelRest_ = 0;
    QImage bitmap_;
    bool stale_ = true;
    int draws_ = 0;
};

// "GPS - Flight Path": the flown path as a curve, from the view's own copy of the path, taken
// from the main frame's live telemetry at each of the view's notifications.
class CGPS_Curve_View final : public CFunction_View {
    Q_OBJECT
public:
    explicit CGPS_Curve_View(CMainFrame& mainFrame);

    CFlight_Path_Picture* Picture() const { return picture_; }
    const GpsPath& Path() const { return path_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnNewData(int view);

    GpsPath path_;
    CFlight_Path_Picture* picture_;
};

}  // namespace skarnel
