#include "shell/function_view.h"

#include "shell/text_fit.h"

#include <QEvent>

namespace skarnel {

CFunction_View::CFunction_View(CMainFrame& mainFrame, int viewIndex, QWidget* parent)
    : QWidget(parent), mainFrame_(mainFrame), viewIndex_(viewIndex)
{
}

void CFunction_View::OnLanguageChanged(int) {}

bool CFunction_View::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::Resize || event->type() == QEvent::Show)
        FitTextsToWidth(*this);
    return handled;
}

}  // namespace skarnel
