#pragma once

#include <QBrush>
#include <QColor>
#include <QLabel>

class QTimer;

namespace skarnel {

// A text label with its own colours and font, and an optional blink.
class CLabel final : public QLabel {
    Q_OBJECT
public:
    enum BlinkMode { kNoBlink = 0, kBlinkText = 1, kBlinkRedraw = 2 };

    explicit CLabel(const QString& text = {}, QWidget* parent = nullptr);

    void SetTextColor(const QColor& colour);
    void SetBackground(const QBrush& brush);
    void SetFontName(const QString& face);
    void SetFontHeight(int pixels);
    void SetFontWeight(int weight);  // 100..900, 700 bold
    // Mode 1 toggles between the text and no text on each tick; mode 2 redraws on each tick.
    void SetBlink(BlinkMode mode, int intervalMs = 500);
    void SetHoverCursor(const QCursor& cursor) { setCursor(cursor); }
    // How the views show their lines: bold Tahoma in yellow on black.
    void SetViewStyle(int fontHeight);

    QColor TextColor() const { return textColour_; }
    const QBrush& Background() const { return background_; }
    BlinkMode Blink() const { return blinkMode_; }
    bool IsTextShown() const { return textShown_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void OnTick();
    void ApplyFont();

    QColor textColour_;
    QBrush background_;
    QString face_;
    int height_;
    int weight_ = 400;
    BlinkMode blinkMode_ = kNoBlink;
    bool textShown_ = true;
    QTimer* timer_;
};

}  // namespace skarnel
