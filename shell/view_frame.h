#pragma once

#include <QMdiSubWindow>

namespace skarnel {

class CFunction_View;
struct ViewSpec;

// The child frame of one function view: its title and size from the view table. A frame
// whose view runs a job does not close at once: it asks the job to stop and closes when the
// job has ended.
class CView_Frame final : public QMdiSubWindow {
    Q_OBJECT
public:
    CView_Frame(const ViewSpec& spec, CFunction_View* view, QWidget* parent = nullptr);
    ~CView_Frame() override;

    CFunction_View* View() const { return view_; }
    bool IsClosePending() const { return closeWhenIdle_; }

signals:
    // The frame has closed and is about to go.
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CFunction_View* view_;
    bool closeWhenIdle_ = false;
};

}  // namespace skarnel
