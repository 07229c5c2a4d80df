#pragma once

#include <QWidget>

class QLabel;

namespace skarnel {

// Before the application object is made: the web view, loaded later as a module, shares the
// windows' graphics context, which must be asked for first.
void PrepareForWebView();

// Shows a local HTML page: in an embedded web view when the web view module can be loaded,
// otherwise with a button that opens the page in the desktop's browser.
class CExplorer final : public QWidget {
    Q_OBJECT
public:
    explicit CExplorer(QWidget* parent = nullptr);

    void Navigate(const QString& htmlPath);
    const QString& Page() const { return page_; }
    // Whether pages show embedded; loads the web view module the first time.
    static bool HasEmbeddedView();
    // Opens the current page in the desktop's browser.
    void OpenInBrowser() const;

private:
    QString page_;
    QWidget* view_ = nullptr;
    QLabel* pathLine_ = nullptr;
};

}  // namespace skarnel
