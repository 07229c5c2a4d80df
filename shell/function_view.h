#pragma once

#include <QWidget>

namespace skarnel {

class CMainFrame;

// What every function view is to the main frame and to its child frame.
class CFunction_View : public QWidget {
    Q_OBJECT
public:
    CFunction_View(CMainFrame& mainFrame, int viewIndex, QWidget* parent = nullptr);

    CMainFrame& MainFrame() const { return mainFrame_; }
    int ViewIndex() const { return viewIndex_; }

    // A job runs on a worker: the view must stay alive until JobEnded.
    virtual bool IsBusy() const { return false; }
    // Asks a running job to end (the Stop button).
    virtual void RequestStop() {}
    // Runs the event loop until a running job has ended. Only for teardown: the views'
    // close paths wait for JobEnded instead.
    virtual void WaitForJobEnd() {}
    // The main frame's text set changed.
    virtual void OnLanguageChanged(int language);

protected:
    // After every resize the view's texts are fitted to their controls.
    bool event(QEvent* event) override;

signals:
    // A job's worker has ended and been joined.
    void JobEnded();

private:
    CMainFrame& mainFrame_;
    int viewIndex_;
};

}  // namespace skarnel
