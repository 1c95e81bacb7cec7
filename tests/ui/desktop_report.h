// The desktop's own account of where the windows are, written by the test
// desktops (a weston module, a GNOME Shell extension, a script on X11) to
// the file VITAYEAR_DESKTOP_REPORT names: the area its panels leave free,
// the frame of every window as the desktop has placed it, and whose the
// desktop takes each window to be.
#pragma once

#include <QFile>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTest>
#include <vector>

namespace vitayear::ui::testing {

struct DesktopReport {
  QRect screen;
  QRect workArea;
  std::vector<QRect> windows;
  // For each window: the Wayland app id, the X11 class or the desktop entry
  // the desktop matched it to, and "icon" where it has the window's icon.
  std::vector<std::pair<QString, QString>> identities;

  static QString path() { return qEnvironmentVariable("VITAYEAR_DESKTOP_REPORT"); }

  static DesktopReport read() {
    DesktopReport report;
    QFile file(path());
    if (!file.open(QIODevice::ReadOnly)) return report;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    for (const QString& line : lines) {
      const QStringList f = line.split(u' ');
      if (f.size() == 3 && f[0] == QLatin1String("identity")) report.identities.emplace_back(f[1], f[2]);
      if (f.size() < 5) continue;
      const QRect rect(f[1].toInt(), f[2].toInt(), f[3].toInt(), f[4].toInt());
      if (f[0] == QLatin1String("screen")) report.screen = rect;
      if (f[0] == QLatin1String("workarea")) report.workArea = rect;
      if (f[0] == QLatin1String("window")) report.windows.push_back(rect);
    }
    return report;
  }

  // The report once the desktop has placed a window and it has stayed put
  // for a second: a compositor may show a first frame of another size
  // (Qt 6.8 sizes it to GNOME's bounds) before the window's own.
  static DesktopReport settled() {
    DesktopReport last = read();
    int same = 0;
    for (int tick = 0; tick < 150 && same < 10; ++tick) {
      QTest::qWait(100);
      const DesktopReport now = read();
      same = (!now.windows.empty() && now.windows == last.windows && now.workArea == last.workArea) ? same + 1 : 0;
      last = now;
    }
    return last;
  }

  // A panel took part of the screen, and every window lies inside the rest.
  bool windowsInsideWorkArea() const {
    if (windows.empty() || !workArea.isValid() || workArea == screen) return false;
    for (const QRect& w : windows)
      if (!workArea.contains(w)) return false;
    return true;
  }

  QString describe() const {
    QString text = QStringLiteral("work area %1,%2 %3x%4 of %5x%6; windows:")
                       .arg(workArea.x())
                       .arg(workArea.y())
                       .arg(workArea.width())
                       .arg(workArea.height())
                       .arg(screen.width())
                       .arg(screen.height());
    for (const QRect& w : windows)
      text += QStringLiteral(" %1,%2 %3x%4").arg(w.x()).arg(w.y()).arg(w.width()).arg(w.height());
    return text;
  }
};

}  // namespace vitayear::ui::testing
