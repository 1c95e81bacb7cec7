#include "desktop_identity.h"

#include <QGuiApplication>
#include <QIcon>

namespace vitayear::ui {

QString DesktopEntryName() { return QStringLiteral(VITAYEAR_APP_ID); }

void IdentifyToDesktop() {
  // On X11 the class is the application's name, which the entry names.
  QGuiApplication::setApplicationName(QStringLiteral("Vitayear"));
  QGuiApplication::setDesktopFileName(DesktopEntryName());
  QGuiApplication::setWindowIcon(
      QIcon::fromTheme(DesktopEntryName(), QIcon(QStringLiteral(":/icons/%1.svg").arg(DesktopEntryName()))));
}

}  // namespace vitayear::ui
