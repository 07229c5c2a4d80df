#include "shell/function_view.h"

namespace skarnel {

CFunction_View::CFunction_View(CMainFrame& mainFrame, int viewIndex, QWidget* parent)
    : QWidget(parent), mainFrame_(mainFrame), viewIndex_(viewIndex)
{
}

void CFunction_View::OnLanguageChanged(int) {}

}  // namespace skarnel
