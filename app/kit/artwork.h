#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>

namespace nexmar {

// The twelve TreeImage icons, in image index order.
QList<QIcon> LoadTreeImages();
QIcon ApplicationIcon();
// A padlock, beside the name of a system that Reroll Others leaves.
QIcon LockIcon();
// The 196 x 138 picture at the top left of the dialog.
QPixmap LogoPicture();

}  // namespace nexmar
