// What the window tells assistive technology, asked through Qt's own
// accessibility interfaces; the events it sends are recorded in place of a
// screen reader. Orca itself hears the window in tests/screen_reader.
#include <QAccessible>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QLabel>

#include "form_harness.h"

using namespace vitayear;
using namespace vitayear::ui;
using namespace vitayear::ui::testing;

namespace {

// The texts announced, and the notifications shown, since the last clear.
QStringList announced;

void Record(QAccessibleEvent* event) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
  if (event->type() == QAccessible::Announcement)
    announced.append(static_cast<QAccessibleAnnouncementEvent*>(event)->message());
#endif
  if (event->type() == QAccessible::ObjectShow && event->accessibleInterface() &&
      event->accessibleInterface()->role() == QAccessible::Notification)
    announced.append(event->accessibleInterface()->text(QAccessible::Name));
}

QAccessibleInterface* Of(QObject* object) { return QAccessible::queryAccessibleInterface(object); }

}  // namespace

class AccessibilityTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() {
    // The accessibility bus, started as a desktop session starts it.
    QDBusConnection::sessionBus().interface()->startService(QStringLiteral("org.a11y.Bus"));
    QVERIFY2(QTest::qWaitFor([] { return QAccessible::isActive(); }, 10000), "no accessibility bus");
    QAccessible::installUpdateHandler(&Record);
  }

  void windowIsAFrameWithItsTitle() {
    Harness h;
    QCOMPARE(Of(h.form.get())->role(), QAccessible::Window);
    QCOMPARE(Of(h.form.get())->text(QAccessible::Name), QStringLiteral("Vitayear"));
  }

  void habitBoxesTellTheirScale() {
    Harness h;
    for (int i = 0; i < 6; ++i)
      QCOMPARE(Of(h.box(TextBox::Habit, i))->text(QAccessible::Description), i < 4 ? "1 to 3" : "1 to 4");
  }

  void reportIsAnnouncedOnceAndReadLineByLine() {
    Harness h;
    h.fill(0, "40", "70", "25", {"2", "2", "2", "2", "1", "1"});
    announced.clear();
    h.form->compute();
    QCOMPARE(announced.size(), 1);
    QCOMPARE(announced.first(), h.form->result()->text());
    QVERIFY(announced.first().contains(QStringLiteral("Vitayear:")));

    QAccessibleTextInterface* text = Of(h.form->result())->textInterface();
    QVERIFY(text);
    const QStringList lines = h.form->result()->text().split(u'\n');
    QVERIFY(lines.size() > 5);
    int start = 0, end = 0, offset = 0;
    int lastTop = -1;
    for (const QString& line : lines.mid(0, 5)) {
      QCOMPARE(text->textAtOffset(offset, QAccessible::LineBoundary, &start, &end).trimmed(), line.trimmed());
      const int top = text->characterRect(offset).top();
      QVERIFY2(top > lastTop, "each line stands below the one before");
      lastTop = top;
      offset = end;
    }
  }

  void listTellsWhetherAnEntryIsChosen() {
    Harness h;
    SelectionCombo* sex = h.form->list(List::Sex);
    QCOMPARE(Of(sex)->text(QAccessible::Description), QStringLiteral("No entry chosen"));
    sex->setFocus();
    QVERIFY(QTest::qWaitFor([sex] { return sex->hasFocus(); }));
    announced.clear();
    h.key(Qt::Key_Down);
    QCOMPARE(sex->currentIndex(), 0);
    QCOMPARE(Of(sex)->text(QAccessible::Description), QString());
    QCOMPARE(announced, QStringList{QStringLiteral("Male chosen")});
    h.key(Qt::Key_Down);  // Female: the list's own text change tells it
    QCOMPARE(announced.size(), 1);
  }

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
  // Qt 6.4's own interface gives an empty run at each offset, after which a
  // screen reader drops the last character.
  void filledBoxIsOneRunOfText() {
    Harness h;
    h.box(TextBox::Age)->setText(QStringLiteral("200"));
    int start = -1, end = -1;
    Of(h.box(TextBox::Age))->textInterface()->attributes(1, &start, &end);
    QCOMPARE(start, 0);
    QCOMPARE(end, 3);
  }
#endif
};

int main(int argc, char** argv) {
  // Qt tells assistive technology anything only while one is there; a
  // desktop session asks it to, this test does so itself.
  qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
  QApplication app(argc, argv);
  AccessibilityTest test;
  return QTest::qExec(&test, argc, argv);
}
#include "accessibility_test.moc"
