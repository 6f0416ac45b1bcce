#pragma once

#include <QRect>

class QWidget;

namespace nexmar {

// The room a window may take on its screen: the screen's available
// geometry, without the panels and docks of the desktop.
QRect ScreenRoom(const QWidget& window);

// Keeps window on its screen: never larger than the room less its frame (a
// smaller minimum size when need be), and moved so that its frame, title
// bar included, lies in the room.
void KeepOnScreen(QWidget& window);

// Widens window, as far as its screen allows, until its title bar shows
// its title whole ("Generate with Seed", not "Gener... Seed").
void FitTitle(QWidget& window);

// As KeepOnScreen each time window is shown (once the window system has
// told the frame it draws around it) or resized, and as FitTitle each time
// it is shown.
void KeepOnScreenWhenShown(QWidget& window);

}  // namespace nexmar
