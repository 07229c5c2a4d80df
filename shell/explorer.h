#pragma once

#include <QWidget>

class QLabel;

namespace skarnel {

// Shows a local HTML page: in an embedded web view when the build has one, otherwise with a
// button that opens the page in the desktop's browser.
class CExplorer final : public QWidget {
    Q_OBJECT
public:
    explicit CExplorer(QWidget* parent = nullptr);

    void Navigate(const QString& htmlPath);
    const QString& Page() const { return page_; }
    static bool HasEmbeddedView();
    // Opens the current page in the desktop's browser.
    void OpenInBrowser() const;

private:
    QString page_;
    QWidget* view_ = nullptr;
    QLabel* pathLine_ = nullptr;
};

}  // namespace skarnel
