#include "shell/text_fit.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QLabel>
#include <QVariant>

namespace skarnel {
namespace {

constexpr const char* kOwnFont = "skarnelOwnFont";
constexpr const char* kFittedFont = "skarnelFittedFont";
constexpr int kSmallestPixelSize = 8;

int Needed(const QFont& font, const QString& text)
{
    return QFontMetrics(font).horizontalAdvance(QString(text).remove('&'));
}

int Available(const QWidget& widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(&widget))
        return label->contentsRect().width() - 2 * label->margin();
    return widget.width() - 8;  // a button's frame and padding
}

void Fit(QWidget& widget, const QString& text)
{
    if (text.trimmed().isEmpty() || widget.toolTip() == text)
        return;
    // A font the view set since the last fit is the control's own from now on.
    if (!widget.property(kFittedFont).isValid() || widget.property(kFittedFont).value<QFont>() != widget.font())
        widget.setProperty(kOwnFont, widget.font());
    QFont font = widget.property(kOwnFont).value<QFont>();
    const int available = Available(widget);
    int size = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    while (Needed(font, text) > available && size > kSmallestPixelSize)
        font.setPixelSize(--size);
    if (font != widget.font())
        widget.setFont(font);
    widget.setProperty(kFittedFont, widget.font());
}

}  // namespace

void FitTextsToWidth(QWidget& root)
{
    for (QLabel* label : root.findChildren<QLabel*>()) {
        if (!label->wordWrap() && label->pixmap().isNull() && label->textFormat() != Qt::RichText)
            Fit(*label, label->text());
    }
    for (QAbstractButton* button : root.findChildren<QAbstractButton*>()) {
        if (!qobject_cast<QHeaderView*>(button->parent()))
            Fit(*button, button->text());
    }
}

}  // namespace skarnel
