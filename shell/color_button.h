#pragma once

#include <QColor>
#include <QPushButton>

namespace skarnel {

// A push button drawn in its own colours. A right click tells its value to whoever listens.
class CColorButton final : public QPushButton {
    Q_OBJECT
public:
    explicit CColorButton(const QString& text = {}, QWidget* parent = nullptr);

    void SetTextColor(const QColor& colour);
    void SetBackgroundColor(const QColor& colour);
    void SetDisabledBackgroundColor(const QColor& colour);
    void SetFrameColors(const QColor& light, const QColor& highlight, const QColor& shadow, const QColor& darkShadow);
    void SetRightClickValue(int value) { rightClickValue_ = value; }

    static QColor EngravedShadowColor() { return Qt::white; }
    static QColor EngravedTextColor() { return QColor(128, 128, 128); }

signals:
    void RightClicked(int value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void DrawFrame(QPainter& painter, const QRect& area, bool pressed) const;
    void DrawCaption(QPainter& painter, const QRect& area, bool pressed) const;

    QColor text_;
    QColor background_;
    QColor disabledBackground_;
    QColor light_;
    QColor highlight_;
    QColor shadow_;
    QColor darkShadow_;
    int rightClickValue_ = 0;
};

}  // namespace skarnel
