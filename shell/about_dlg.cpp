#include "shell/about_dlg.h"

#include "shell/icons.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace skarnel {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Skarnel Info...");
    auto* icon = new QLabel(this);
    icon->setPixmap(ApplicationIcon().pixmap(32, 32));
    auto* picture = new QLabel(this);
    picture->setPixmap(ProductPicture(QSize(180, 100)));
    auto* ok = new QPushButton("Ok", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(new QLabel("Skarnel", this), 0, 1);
    layout->addWidget(new QLabel("Version-S3.5", this), 1, 1);
    layout->addWidget(new QLabel("Service suite for the controller, its firmware, models and voices", this), 2, 1);
    layout->addWidget(ok, 0, 2, Qt::AlignTop);
    layout->addWidget(picture, 3, 0, 1, 3, Qt::AlignCenter);
}

}  // namespace skarnel
