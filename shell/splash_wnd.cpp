#include "shell/splash_wnd.h"

#include "shell/icons.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace skarnel {

CSplashWnd::CSplashWnd() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    auto* picture = new QLabel(this);
    picture->setPixmap(ProductPicture(QSize(360, 200)));
    auto* product = new QLabel("Skarnel v3.5", this);
    QFont big = product->font();
    big.setPixelSize(22);
    big.setBold(true);
    product->setFont(big);
    auto* contact = new QLabel("Service and support: see the README that came with Skarnel", this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture, 0, Qt::AlignCenter);
    layout->addWidget(product, 0, Qt::AlignCenter);
    layout->addWidget(contact, 0, Qt::AlignCenter);
}

CSplashWnd* CSplashWnd::ShowFor(int milliseconds)
{
    auto* splash = new CSplashWnd;
    splash->show();
    QTimer::singleShot(milliseconds, splash, &QWidget::close);
    return splash;
}

}  // namespace skarnel
