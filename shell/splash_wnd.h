#pragma once

#include <QWidget>

namespace skarnel {

// The start-up picture with the product and contact lines; it closes itself.
class CSplashWnd final : public QWidget {
    Q_OBJECT
public:
    CSplashWnd();

    // Shows a splash window on the desktop for the given time.
    static CSplashWnd* ShowFor(int milliseconds);
};

}  // namespace skarnel
