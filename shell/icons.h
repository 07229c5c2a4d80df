#pragma once

#include <QIcon>
#include <QPixmap>

namespace skarnel {

// The application's pictures, drawn in code.
QIcon CommandIcon(int commandId);
// The menu pane's image list: 15 pictures of 24 x 32 pixels.
QPixmap MenuPaneImage(int index);
QIcon ApplicationIcon();
// The picture of the splash window and the About box.
QPixmap ProductPicture(QSize size);

}  // namespace skarnel
