#include "shell/label.h"

#include <QFontDatabase>
#include <QPainter>
#include <QTimer>

namespace skarnel {

CLabel::CLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent), textColour_(palette().color(QPalette::WindowText)),
      background_(palette().color(QPalette::Button)), timer_(new QTimer(this))
{
    const QFont general = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    face_ = general.family();
    height_ = general.pixelSize() > 0 ? general.pixelSize() : 13;
    connect(timer_, &QTimer::timeout, this, &CLabel::OnTick);
}

void CLabel::SetTextColor(const QColor& colour)
{
    textColour_ = colour;
    update();
}

void CLabel::SetBackground(const QBrush& brush)
{
    background_ = brush;
    update();
}

void CLabel::SetFontName(const QString& face)
{
    face_ = face;
    ApplyFont();
}

void CLabel::SetFontHeight(int pixels)
{
    height_ = pixels;
    ApplyFont();
}

void CLabel::SetFontWeight(int weight)
{
    weight_ = weight;
    ApplyFont();
}

void CLabel::ApplyFont()
{
    QFont font(face_);
    font.setPixelSize(height_);
    font.setWeight(static_cast<QFont::Weight>(weight_));
    setFont(font);
    update();
}

void CLabel::SetViewStyle(int fontHeight)
{
    SetBackground(Qt::black);
    SetTextColor(QColor(255, 255, 0));
    face_ = "Tahoma";
    height_ = fontHeight;
    weight_ = QFont::Bold;
    ApplyFont();
}

void CLabel::SetBlink(BlinkMode mode, int intervalMs)
{
    blinkMode_ = mode;
    textShown_ = true;
    if (mode == kNoBlink)
        timer_->stop();
    else
        timer_->start(intervalMs);
    update();
}

void CLabel::OnTick()
{
    if (blinkMode_ == kBlinkText)
        textShown_ = !textShown_;
    update();
}

void CLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    if (!textShown_)
        return;
    painter.setFont(font());
    painter.setPen(textColour_);
    painter.drawText(contentsRect(), static_cast<int>(alignment()), text());
}

}  // namespace skarnel
