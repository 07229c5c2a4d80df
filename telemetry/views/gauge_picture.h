#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

namespace skarnel {

// A picture control that shows a gauge drawn into an off-screen image. The image is drawn
// again only after Invalidate or a resize; any other paint copies it to the screen as it is.
class CGauge_Picture : public QWidget {
    Q_OBJECT
public:
    using Drawing = std::function<void(QPainter& painter, const QRect& rect)>;

    CGauge_Picture(Drawing drawing, QWidget* parent);

    // The shown values changed: draw the image again at the next paint.
    void Invalidate();
    // How often the image was drawn.
    int Draws() const { return draws_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Drawing drawing_;
    QImage image_;
    bool stale_ = true;
    int draws_ = 0;
};

}  // namespace skarnel
