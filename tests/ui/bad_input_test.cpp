// Whatever is typed or pasted into any box, the window answers, never shows
// inf or nan, and prints the name as it was typed.
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>

#include "form_harness.h"
#include "frmPrint.h"

using namespace vitayear;
using namespace vitayear::ui;
using vitayear::ui::testing::Harness;

namespace {

std::vector<std::pair<TextBox, int>> AllBoxes() {
  std::vector<std::pair<TextBox, int>> boxes = {
      {TextBox::UsrName, 0}, {TextBox::Age, 0}, {TextBox::Weight1, 0}, {TextBox::Bodyfat, 0}};
  for (int i = 0; i < kHabitCount; ++i) boxes.emplace_back(TextBox::Habit, i);
  return boxes;
}

bool ShowsNonFinite(const QString& text) {
  return text.contains(QStringLiteral("inf"), Qt::CaseInsensitive) ||
         text.contains(QStringLiteral("nan"), Qt::CaseInsensitive);
}

// Reports an action slower than a second; the time is information, not a verdict.
template <class Action>
void Timed(const char* what, Action&& action) {
  QElapsedTimer timer;
  timer.start();
  action();
  if (timer.elapsed() > 1000) qInfo("%s took %lld ms", what, static_cast<long long>(timer.elapsed()));
}

}  // namespace

class BadInputTest : public QObject {
  Q_OBJECT

 private slots:
  void anyTextInAnyBox_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("1 MiB of digits") << QString(1 << 20, QChar(u'7'));
    QTest::newRow("1 MiB of words") << QStringLiteral("Ann ").repeated(1 << 18);
    QTest::newRow("control characters") << QStringLiteral("1\u0001\u0002\u001B[2J\u0007\r\n\t2");
    QTest::newRow("lone surrogate") << QStringLiteral("An") + QChar(u'\xD83D') + QStringLiteral("n");
    QTest::newRow("right-to-left marks") << QStringLiteral("\u202E\u200F12\u200E\u202C");
    QTest::newRow("emoji") << QStringLiteral("😀👩‍⚕️3");
    QTest::newRow("Cyrillic") << QStringLiteral("Олена Коваль");
    QTest::newRow("1e400") << QStringLiteral("1e400");
    QTest::newRow("-1e400") << QStringLiteral("-1e400");
    QTest::newRow("&HFFFFFFFFFFFFFFFF") << QStringLiteral("&HFFFFFFFFFFFFFFFF");
    QTest::newRow("nan") << QStringLiteral("nan");
    QTest::newRow("inf") << QStringLiteral("inf");
  }
  void anyTextInAnyBox() {
    QFETCH(QString, text);
    for (const auto& [box, index] : AllBoxes()) {
      Harness h;
      h.fill(0, "40", "80", "20", {"2", "1", "3", "2", "1", "3"});
      QLineEdit* edit = h.box(box, index);
      Timed("paste", [&] { edit->setText(text); });
      edit->setFocus(Qt::OtherFocusReason);
      Timed("leave", [&] { h.key(Qt::Key_Tab); });
      QCOMPARE(edit->text(), text);  // a range check never changes the text
      if (h.focused() == edit) {
        QCOMPARE(h.messages.size(), 1);  // refused on leaving: empty it to go on
        edit->clear();
        h.key(Qt::Key_Tab);
        edit->setText(text);
      }
      h.messages.clear();
      Timed("print", [&] { h.click(h.form->button(Button::Printing)); });
      QVERIFY2(!ShowsNonFinite(h.form->result()->text()), qPrintable(h.form->result()->text().left(200)));
      for (TextBox b : {TextBox::Age, TextBox::Bodyfat})
        if (b != box) QVERIFY(!ShowsNonFinite(h.box(b)->text()));
      if (h.printed > 0) {
        QCOMPARE(h.lastPage[PrintField::UsrName], box == TextBox::UsrName ? text : QStringLiteral("Ann"));
        for (PrintField f : kPrintFields)
          if (f != PrintField::UsrName) QVERIFY(!ShowsNonFinite(h.lastPage[f]));
      } else {
        // Only a refusal stops the page, and it says why.
        QCOMPARE(h.messages.size(), 1);
      }
      QVERIFY(h.form->isVisible());
    }
  }

  void theNamePrintsAsTyped() {
    Harness h;
    h.fill(0, "40", "80", "20", {"2", "1", "3", "2", "1", "3"});
    const QString name = QStringLiteral("\u202EОлена") + QChar(u'\xDC00') + QStringLiteral("😀\u0007");
    h.box(TextBox::UsrName)->setText(name);
    h.click(h.form->button(Button::Printing));
    QCOMPARE(h.printed, 1);
    QCOMPARE(h.lastPage[PrintField::UsrName], name);
    QCOMPARE(h.form->printout().field(PrintField::UsrName), name);
    // The hidden window still draws it.
    QVERIFY(!h.form->printout().grab().isNull());
  }
};

QTEST_MAIN(BadInputTest)
#include "bad_input_test.moc"
