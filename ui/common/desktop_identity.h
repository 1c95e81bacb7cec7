// How the desktop knows the program's windows as its own: the desktop
// entry's name as the Wayland app id, the X11 class the entry names
// (StartupWMClass), and the icon from the icon theme, with the program's own
// where the theme has none.
#pragma once

#include <QString>

namespace vitayear::ui {

// Before the first window is made.
void IdentifyToDesktop();

// The desktop entry's name, without ".desktop".
QString DesktopEntryName();

}  // namespace vitayear::ui
