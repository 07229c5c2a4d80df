#include "shell/view_frame.h"

#include "shell/function_view.h"
#include "shell/view_table.h"

#include <QCloseEvent>

namespace skarnel {

CView_Frame::CView_Frame(const ViewSpec& spec, CFunction_View* view, QWidget* parent)
    : QMdiSubWindow(parent), view_(view)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(view);
    setWindowTitle(spec.title);
    if (spec.fixedSize) {
        setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        setFixedSize(spec.width, spec.height);
    } else {
        resize(spec.width, spec.height);
        if (spec.minimumWidth > 0)
            setMinimumSize(spec.minimumWidth, spec.minimumHeight);
    }
    connect(view, &CFunction_View::JobEnded, this, [this] {
        if (closeWhenIdle_)
            close();
    });
}

CView_Frame::~CView_Frame()
{
    if (view_->IsBusy()) {
        view_->RequestStop();
        view_->WaitForJobEnd();
    }
}

void CView_Frame::closeEvent(QCloseEvent* event)
{
    if (view_->IsBusy()) {
        view_->RequestStop();
        closeWhenIdle_ = true;
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted())
        emit Closed();
}

}  // namespace skarnel
