// Start-up: the input window is the one start-up window; the program reads
// no command line, file or setting.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "desktop_identity.h"
#include "frmInput.h"

namespace {

// Qt's own complaint about a missing display is cryptic; say what to do.
bool HasDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && *platform) return true;
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (!HasDisplay()) {
    std::fputs(
        "vitayear is a desktop program and needs a graphical display, but none was found\n"
        "(neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
        "Start it from a desktop session, or under a virtual display:\n"
        "    xvfb-run -a vitayear\n",
        stderr);
    return 1;
  }
  QApplication app(argc, argv);
  vitayear::ui::IdentifyToDesktop();

  vitayear::ui::FrmInput window;
  window.show();
  return QApplication::exec();
}
