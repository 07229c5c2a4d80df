#include "shell/color_button.h"

#include <QMouseEvent>
#include <QPainter>

namespace skarnel {

CColorButton::CColorButton(const QString& text, QWidget* parent) : QPushButton(text, parent)
{
    const QPalette& colours = palette();
    text_ = colours.color(QPalette::ButtonText);
    background_ = colours.color(QPalette::Button);
    disabledBackground_ = colours.color(QPalette::Button);
    light_ = colours.color(QPalette::Midlight);
    highlight_ = colours.color(QPalette::Light);
    shadow_ = colours.color(QPalette::Mid);
    darkShadow_ = colours.color(QPalette::Shadow);
}

void CColorButton::SetTextColor(const QColor& colour)
{
    text_ = colour;
    update();
}

void CColorButton::SetBackgroundColor(const QColor& colour)
{
    background_ = colour;
    update();
}

void CColorButton::SetDisabledBackgroundColor(const QColor& colour)
{
    disabledBackground_ = colour;
    update();
}

void CColorButton::SetFrameColors(const QColor& light, const QColor& highlight, const QColor& shadow,
                                  const QColor& darkShadow)
{
    light_ = light;
    highlight_ = highlight;
    shadow_ = shadow;
    darkShadow_ = darkShadow;
    update();
}

void CColorButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = rect();
    const bool pressed = isDown();
    painter.fillRect(area, isEnabled() ? background_ : disabledBackground_);
    DrawFrame(painter, area, pressed);
    DrawCaption(painter, area, pressed);
    if (hasFocus()) {
        QPen dotted(text_, 1, Qt::DotLine);
        painter.setPen(dotted);
        painter.drawRect(area.adjusted(4, 4, -5, -5));
    }
}

void CColorButton::DrawFrame(QPainter& painter, const QRect& area, bool pressed) const
{
    const QRect outer = area.adjusted(0, 0, -1, -1);
    if (pressed) {
        painter.setPen(darkShadow_);
        painter.drawRect(outer);
        painter.setPen(shadow_);
        painter.drawRect(outer.adjusted(1, 1, -1, -1));
        return;
    }
    QRect raised = outer;
    if (hasFocus() || isDefault()) {
        painter.setPen(Qt::black);
        painter.drawRect(outer);
        raised = outer.adjusted(1, 1, -1, -1);
    }
    painter.setPen(highlight_);
    painter.drawLine(raised.topLeft(), raised.topRight());
    painter.drawLine(raised.topLeft(), raised.bottomLeft());
    painter.setPen(darkShadow_);
    painter.drawLine(raised.bottomLeft(), raised.bottomRight());
    painter.drawLine(raised.topRight(), raised.bottomRight());
    const QRect inner = raised.adjusted(1, 1, -1, -1);
    painter.setPen(light_);
    painter.drawLine(inner.topLeft(), inner.topRight());
    painter.drawLine(inner.topLeft(), inner.bottomLeft());
    painter.setPen(shadow_);
    painter.drawLine(inner.bottomLeft(), inner.bottomRight());
    painter.drawLine(inner.topRight(), inner.bottomRight());
}

void CColorButton::DrawCaption(QPainter& painter, const QRect& area, bool pressed) const
{
    painter.setFont(font());
    if (!isEnabled()) {
        painter.setPen(EngravedShadowColor());
        painter.drawText(area.translated(1, 1), Qt::AlignCenter, text());
        painter.setPen(EngravedTextColor());
        painter.drawText(area, Qt::AlignCenter, text());
        return;
    }
    painter.setPen(text_);
    painter.drawText(pressed ? area.translated(1, 1) : area, Qt::AlignCenter, text());
}

void CColorButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        emit RightClicked(rightClickValue_);
        return;
    }
    QPushButton::mousePressEvent(event);
}

}  // namespace skarnel
