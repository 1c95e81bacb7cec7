// Whose window the desktop takes the input window to be, as the desktop
// itself reports it (VITAYEAR_DESKTOP says which): on X11 the class that the
// desktop entry names, with the program's icon; under weston the app id that
// is the entry's name; KWin's entry name and class for it, both the app id;
// GNOME Shell's window tracker naming the entry.
#include "desktop_identity.h"

#include <QFile>
#include <QTest>

#include "desktop_report.h"
#include "form_harness.h"

using vitayear::ui::DesktopEntryName;
using vitayear::ui::testing::DesktopReport;
using vitayear::ui::testing::Harness;

namespace {

// A key of the desktop entry's main group.
QString EntryKey(const QString& key) {
  QFile file(QStringLiteral(VITAYEAR_DESKTOP_ENTRY));
  if (!file.open(QIODevice::ReadOnly)) return {};
  for (const QByteArray& line : file.readAll().split('\n'))
    if (line.startsWith(key.toUtf8() + '=')) return QString::fromUtf8(line.mid(key.size() + 1));
  return {};
}

}  // namespace

class DesktopIdentityTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY2(!DesktopReport::path().isEmpty(), "needs a test desktop: run through ctest");
    vitayear::ui::IdentifyToDesktop();  // as the program does before its first window
  }

  void theDesktopKnowsTheWindow() {
    Harness h;
    const QString desktop = qEnvironmentVariable("VITAYEAR_DESKTOP");
    std::pair<QString, QString> expected;
    if (desktop == QLatin1String("x11"))
      expected = {EntryKey(QStringLiteral("StartupWMClass")), QStringLiteral("icon")};
    else if (desktop == QLatin1String("weston"))
      expected = {DesktopEntryName(), QStringLiteral("-")};
    else if (desktop == QLatin1String("kwin"))
      expected = {DesktopEntryName(), DesktopEntryName()};
    else if (desktop == QLatin1String("gnome"))
      expected = {DesktopEntryName() + QStringLiteral(".desktop"), QStringLiteral("-")};
    QVERIFY2(!expected.first.isEmpty(), qPrintable(desktop));
    QTRY_VERIFY_WITH_TIMEOUT(!DesktopReport::read().identities.empty(), 10000);
    const DesktopReport report = DesktopReport::settled();
    QCOMPARE(report.identities.size(), std::size_t(1));
    QCOMPARE(report.identities.front(), expected);
  }
};

QTEST_MAIN(DesktopIdentityTest)
#include "desktop_identity_test.moc"
