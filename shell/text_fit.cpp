#include "shell/text_fit.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QLabel>
#include <QTabBar>
#include <QVariant>

#include <vector>

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

// Shrinks the widget's own font a pixel at a time while `needed` says it is too wide.
template <typename Needed> void FitFont(QWidget& widget, int available, Needed needed)
{
    // A font the view set since the last fit is the control's own from now on.
    if (!widget.property(kFittedFont).isValid() || widget.property(kFittedFont).value<QFont>() != widget.font())
        widget.setProperty(kOwnFont, widget.font());
    QFont font = widget.property(kOwnFont).value<QFont>();
    int size = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    while (needed(font) > available && size > kSmallestPixelSize)
        font.setPixelSize(--size);
    if (font != widget.font())
        widget.setFont(font);
    widget.setProperty(kFittedFont, widget.font());
}

void Fit(QWidget& widget, const QString& text)
{
    if (text.trimmed().isEmpty() || widget.toolTip() == text)
        return;
    FitFont(widget, Available(widget), [&](const QFont& font) { return Needed(font, text); });
}

// A tab bar's tabs side by side, each with the room its style gives it beside its text.
void FitTabs(QTabBar& bar)
{
    if (bar.count() == 0 || bar.expanding())
        return;
    std::vector<int> padding;
    const QFontMetrics shown(bar.font());
    for (int i = 0; i < bar.count(); ++i)
        padding.push_back(bar.tabRect(i).width() - shown.horizontalAdvance(bar.tabText(i)));
    FitFont(bar, bar.width(), [&](const QFont& font) {
        int width = 0;
        for (int i = 0; i < bar.count(); ++i)
            width += padding[static_cast<size_t>(i)] + Needed(font, bar.tabText(i));
        return width;
    });
}

}  // namespace

void FitTextsToWidth(QWidget& root)
{
    for (QLabel* label : root.findChildren<QLabel*>()) {
        if (!label->wordWrap() && label->pixmap().isNull() && label->textFormat() != Qt::RichText)
            Fit(*label, label->text());
    }
    for (QAbstractButton* button : root.findChildren<QAbstractButton*>()) {
        if (!qobject_cast<QHeaderView*>(button->parent()) && !qobject_cast<QTabBar*>(button->parent()))
            Fit(*button, button->text());
    }
    for (QTabBar* bar : root.findChildren<QTabBar*>())
        FitTabs(*bar);
}

}  // namespace skarnel
