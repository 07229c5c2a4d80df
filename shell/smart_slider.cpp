#include "shell/smart_slider.h"

#include <QMouseEvent>

namespace skarnel {

CSmart_SliderCtrl::CSmart_SliderCtrl(Qt::Orientation orientation, QWidget* parent) : QSlider(orientation, parent) {}

// The flag changes before the slider's own handling, so it is set while the slider tracks.
void CSmart_SliderCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        dragging = 1;
    QSlider::mousePressEvent(event);
}

void CSmart_SliderCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        dragging = 0;
    QSlider::mouseReleaseEvent(event);
}

}  // namespace skarnel
