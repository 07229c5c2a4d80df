#pragma once

#include <QSlider>

namespace skarnel {

// A track bar that tells whether the user is dragging it: the owner reads `dragging` and
// ignores position updates meanwhile.
class CSmart_SliderCtrl final : public QSlider {
    Q_OBJECT
public:
    explicit CSmart_SliderCtrl(Qt::Orientation orientation = Qt::Horizontal, QWidget* parent = nullptr);

    int dragging = 0;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace skarnel
