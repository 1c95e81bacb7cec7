#include <QAccessible>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <set>
#include <stdexcept>

#include "desktop_report.h"
#include "form_harness.h"
#include "frmPrint.h"
#include "message_box.h"
#include "report.h"
#include "twips.h"

using namespace vitayear;
using namespace vitayear::ui;
using vitayear::ui::testing::Harness;

Q_DECLARE_METATYPE(vitayear::TextBox)

namespace {

const QString kAgeMessage = QStringLiteral("You need to type an age smaller than 120 years");

// Every box and list in focus order, then back to the first.
std::vector<QWidget*> FocusCycle(const FrmInput& form) {
  std::vector<QWidget*> order = {form.box(TextBox::UsrName), form.box(TextBox::Age), form.list(List::Sex),
                                 form.box(TextBox::Weight1), form.box(TextBox::Bodyfat)};
  for (int i = 0; i < kHabitCount; ++i) order.push_back(form.box(TextBox::Habit, i));
  for (Button b : {Button::Printing, Button::Clear, Button::Compute}) order.push_back(form.button(b));
  order.push_back(form.list(List::Language));
  return order;
}

QWidget* Control(const FrmInput& form, const char* name, int habitIndex) {
  if (QByteArray(name) == "Habit") return form.box(TextBox::Habit, habitIndex);
  return form.findChild<QWidget*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

}  // namespace

class InputWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startUpState() {
    Harness h;
    QCOMPARE(h.form->windowTitle(), QStringLiteral("Vitayear"));
    QCOMPARE(h.form->size(), QSize(795, 702));
    QCOMPARE(h.form->minimumSize(), h.form->maximumSize());
    QCOMPARE(h.focused(), h.box(TextBox::UsrName));
    for (auto* box : h.form->findChildren<QLineEdit*>()) {
      if (qobject_cast<QComboBox*>(box->parentWidget())) continue;
      QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
    }
    SelectionCombo* sex = h.form->list(List::Sex);
    QCOMPARE(sex->count(), 2);
    QCOMPARE(sex->itemText(0), QStringLiteral("Male"));
    QCOMPARE(sex->itemText(1), QStringLiteral("Female"));
    QCOMPARE(sex->currentIndex(), -1);
    QCOMPARE(sex->currentText(), QStringLiteral("Male"));
    SelectionCombo* language = h.form->list(List::Language);
    QCOMPARE(language->count(), 3);
    QCOMPARE(language->itemText(2), QStringLiteral("Ukrainian"));
    QCOMPARE(language->currentIndex(), 0);
    QCOMPARE(language->currentText(), QStringLiteral("English"));
    QVERIFY(h.form->result()->text().isEmpty());
    QVERIFY(h.form->existingPrintout() == nullptr);
    QVERIFY(h.messages.isEmpty());

    h.click(h.form->button(Button::Compute));
    QCOMPARE(h.messages, QStringList{QStringLiteral("You need to choose the sex of the person")});
  }

  void layoutFollowsTheTable_data() {
    QTest::addColumn<int>("row");
    int habit = 0;
    for (int row = 0; row < int(kInputLayout.size()); ++row) {
      const auto& spec = kInputLayout[std::size_t(row)];
      const QByteArray name = spec.role.box == TextBox::Habit && spec.kind == Kind::TextBox
                                  ? QByteArray("Habit ") + QByteArray::number(habit++)
                                  : QByteArray(spec.name);
      QTest::newRow(name.constData()) << row;
    }
  }
  void layoutFollowsTheTable() {
    QFETCH(int, row);
    Harness h;
    const ControlSpec& spec = kInputLayout[std::size_t(row)];
    QWidget* w = Control(*h.form, spec.name, spec.role.index);
    QVERIFY(w);
    QCOMPARE(w->geometry(), QRect(spec.left / 15, spec.top / 15, spec.width / 15, spec.height / 15));
    QVERIFY(w->font().bold());
    QCOMPARE(w->font().pixelSize(), qRound(spec.points * 4 / 3));
    if (auto* label = qobject_cast<QLabel*>(w)) {
      QCOMPARE(label->textFormat(), Qt::PlainText);
      QVERIFY(label->wordWrap());
      QCOMPARE(label->focusPolicy(), Qt::NoFocus);
      const bool caption = QByteArray(spec.caption).endsWith(':');
      QCOMPARE(bool(label->alignment() & Qt::AlignRight), caption);
      QCOMPARE(label->text(), QString::fromUtf8(spec.caption));
    }
    if (auto* button = qobject_cast<QPushButton*>(w)) {
      QCOMPARE(button->text(), QString::fromUtf8(spec.caption));
      QVERIFY(!button->isDefault());
      QVERIFY(!button->autoDefault());
    }
  }

  void controlsStayInsideAndApart() {
    Harness h;
    const QRect client(QPoint(0, 0), h.form->size());
    std::vector<QWidget*> controls;
    for (const auto& spec : kInputLayout) controls.push_back(Control(*h.form, spec.name, spec.role.index));
    for (std::size_t i = 0; i < controls.size(); ++i) {
      QVERIFY2(client.contains(controls[i]->geometry()), qPrintable(controls[i]->objectName()));
      for (std::size_t j = i + 1; j < controls.size(); ++j)
        QVERIFY2(!controls[i]->geometry().intersects(controls[j]->geometry()),
                 qPrintable(controls[i]->objectName() + " / " + controls[j]->objectName()));
    }
    // Captions end 225 twips left of the field they name.
    for (auto* label : h.form->findChildren<QLabel*>()) {
      if (!label->buddy()) continue;
      const int rightTwips = (label->geometry().right() + 1) * kTwipsPerPixel;
      QVERIFY2(rightTwips == 1935 || rightTwips == 3975, qPrintable(label->objectName()));
      QCOMPARE(label->buddy()->geometry().left() * kTwipsPerPixel - rightTwips, 225);
    }
  }

  void resizingMovesNothing() {
    Harness h;
    const QRect before = h.form->result()->geometry();
    h.form->resize(1200, 900);
    QCOMPARE(h.form->size(), QSize(795, 702));
    QCOMPARE(h.form->result()->geometry(), before);
  }

  // On a screen too small for it, the window is drawn smaller in proportion.
  // Outside the small-screen runs it fits, and stays as the table has it.
  // Where the desktop tells where it put the window, the whole window, frame
  // included, is in the area its panel leaves free.
  void everyControlIsOnTheScreen() {
    Harness h;
    const double scale = h.form->layoutScale();
    if (qEnvironmentVariableIsSet("VITAYEAR_TEST_SMALL_SCREEN")) QVERIFY2(scale < 1, "the window was not made smaller");
    if (!testing::DesktopReport::path().isEmpty()) {
      // The desktop's own word, in its pixels, not Qt's rounded logical ones.
      const auto report = testing::DesktopReport::settled();
      QVERIFY2(report.windowsInsideWorkArea(), qPrintable(report.describe()));
      // A title bar, whoever draws it: Qt itself on GNOME and weston, KWin
      // and the X11 window managers their own. The desktop's pixels are
      // told by the width, which a frame widens by a few at most.
      const QRect frame = report.windows.front();
      const double desktopPixels = double(frame.width()) / h.form->width();
      QVERIFY2(frame.height() - h.form->height() * desktopPixels > 10, qPrintable(report.describe()));
      // On X11, whose work area is the desktop's own word, no smaller than it
      // must be: a frame thinner than first reckoned is made up for.
      if (QGuiApplication::platformName() == QLatin1String("xcb"))
        QVERIFY2(scale == 1 || report.workArea.height() - frame.height() <= 10, qPrintable(report.describe()));
    } else {
      const QRect available = h.form->screen()->availableGeometry();
      const QRect frame = h.form->frameGeometry();
      QVERIFY2(frame.width() <= available.width() && frame.height() <= available.height(),
               qPrintable(QStringLiteral("%1x%2 on %3x%4")
                              .arg(frame.width())
                              .arg(frame.height())
                              .arg(available.width())
                              .arg(available.height())));
      if (QGuiApplication::platformName() == QLatin1String("xcb")) QVERIFY(available.contains(frame));
    }
    const QRect client(QPoint(0, 0), h.form->size());
    for (const auto& spec : kInputLayout) {
      QWidget* w = Control(*h.form, spec.name, spec.role.index);
      QVERIFY2(client.contains(w->geometry()), spec.name);
      const QRectF ideal(spec.left * scale / 15, spec.top * scale / 15, spec.width * scale / 15,
                         spec.height * scale / 15);
      const QRectF drawn(w->geometry());
      for (const auto& [a, b] : {std::pair{drawn.left(), ideal.left()},
                                 {drawn.top(), ideal.top()},
                                 {drawn.width(), ideal.width()},
                                 {drawn.height(), ideal.height()}})
        QVERIFY2(std::abs(a - b) <= 1, qPrintable(QStringLiteral("%1: %2 for %3").arg(spec.name).arg(a).arg(b)));
      const double size = spec.points * 4 / 3 * scale;
      QVERIFY2(w->font().pixelSize() <= size + 1e-9 && w->font().pixelSize() > size - 1, spec.name);
    }
  }

  void screenReadersReadTheForm() {
    Harness h;
    const std::pair<QWidget*, const char*> named[] = {
        {h.box(TextBox::UsrName), "Name"},
        {h.box(TextBox::Age), "Age"},
        {h.form->list(List::Sex), "Sex"},
        {h.box(TextBox::Weight1), "Weight"},
        {h.box(TextBox::Bodyfat), "Body Fat"},
        {h.box(TextBox::Habit, 0), "Exercise"},
        {h.box(TextBox::Habit, 3), "Sleep"},
        {h.box(TextBox::Habit, 5), "Alcohol"},
        {h.form->list(List::Language), "Print Language"},
    };
    for (const auto& [widget, name] : named) QCOMPARE(widget->accessibleName(), QString::fromLatin1(name));
    int buddies = 0;
    for (auto* label : h.form->findChildren<QLabel*>()) {
      if (!label->buddy()) continue;
      ++buddies;
      QCOMPARE(label->buddy()->accessibleName() + ':', label->text());
    }
    QCOMPARE(buddies, 12);
    QVERIFY(h.form->result()->accessibleName().isEmpty());
    QCOMPARE(h.form->result()->accessibleDescription(), QStringLiteral("Result"));
    QCOMPARE(h.form->button(Button::Printing)->text(), QStringLiteral("Print"));
    QCOMPARE(h.box(TextBox::Weight1)->accessibleDescription(), QStringLiteral("kilograms"));
    QCOMPARE(h.box(TextBox::Bodyfat)->accessibleDescription(), QStringLiteral("percent"));
  }

  void theNewReportReachesScreenReaders() {
    Harness h;
    h.fill(0, "40", "80", "20", {"2", "1", "3", "2", "1", "3"});
    static QStringList announced;
    announced.clear();
    const auto previous = QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
      if (event->type() == QAccessible::Announcement)
        announced.append(static_cast<QAccessibleAnnouncementEvent*>(event)->message());
#else
      Q_UNUSED(event)
#endif
    });
    h.click(h.form->button(Button::Compute));
    QAccessible::installUpdateHandler(previous);
    const QString report = h.form->result()->text();
    QVERIFY(report.startsWith(QStringLiteral("Current Health Practices:")));
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QCOMPARE(announced, QStringList{report});
#else
    // Qt 6.4 has no announcements: the report is the label's accessible name.
    QCOMPARE(QAccessible::queryAccessibleInterface(h.form->result())->text(QAccessible::Name), report);
#endif
  }

  // The wheel over a list that has not the focus scrolls nothing: no entry is
  // chosen and no focus moves, so no range check runs either.
  void theWheelTurnsOnlyAFocusedList() {
    Harness h;
    SelectionCombo* sex = h.form->list(List::Sex);
    SelectionCombo* language = h.form->list(List::Language);
    h.type(h.box(TextBox::Age), QStringLiteral("200"));
    h.wheel(sex, 1);
    h.wheel(language, 1);
    QTest::qWait(20);
    QCOMPARE(sex->currentIndex(), -1);
    QCOMPARE(language->currentIndex(), 0);
    QCOMPARE(h.focused(), h.box(TextBox::Age));
    QVERIFY(h.messages.isEmpty());
    h.box(TextBox::Age)->clear();
    language->setFocus(Qt::TabFocusReason);
    h.wheel(language, 1);
    QCOMPARE(language->currentIndex(), 1);
  }

  // A button pressed without the focus leaving a box (Space on the button, or
  // an assistive technology's press) checks every box before it assesses.
  // clang-format off
  void buttonsCheckEveryBoxFirst_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("byAccessibility");
    QTest::addColumn<TextBox>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString four = QStringLiteral("You need to type a number smaller than  4 in this box");
    QTest::newRow("Print pressed by accessibility, focus in Age") << int(Button::Printing) << true << TextBox::Age << "200" << kAgeMessage;
    QTest::newRow("Compute pressed by accessibility, focus in Age") << int(Button::Compute) << true << TextBox::Age << "200" << kAgeMessage;
    QTest::newRow("Print by Space, alcohol set to 9") << int(Button::Printing) << false << TextBox::Habit << "9" << four;
    QTest::newRow("Compute by Space, age 120,5") << int(Button::Compute) << false << TextBox::Age << "120,5" << kAgeMessage;
  }
  // clang-format on
  void buttonsCheckEveryBoxFirst() {
    QFETCH(int, button);
    QFETCH(bool, byAccessibility);
    QFETCH(TextBox, box);
    QFETCH(QString, text);
    QFETCH(QString, message);
    Harness h;
    h.fill(0, "40", "80", "20", {"2", "1", "3", "2", "1", "3"});
    QLineEdit* edit = h.box(box, box == TextBox::Habit ? 5 : 0);
    QPushButton* push = h.form->button(Button(button));
    if (byAccessibility) {
      h.type(edit, text);  // the focus stays in the box
      QAccessibleInterface* face = QAccessible::queryAccessibleInterface(push);
      face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    } else {
      edit->setText(text);
      push->setFocus(Qt::OtherFocusReason);
      h.key(Qt::Key_Space);
    }
    QTRY_COMPARE(h.messages, QStringList{message});
    QTRY_VERIFY(!push->isDown());  // an animated press has ended
    QCOMPARE(h.messages.size(), 1);
    QCOMPARE(h.focused(), edit);
    QCOMPARE(edit->text(), text);
    QVERIFY(h.form->result()->text().isEmpty());
    QCOMPARE(h.box(TextBox::Age)->text(), box == TextBox::Age ? text : QStringLiteral("40"));
    QCOMPARE(h.printed, 0);
  }

  void tabCyclesThroughTheFieldsInOrder() {
    Harness h;
    const auto order = FocusCycle(*h.form);
    for (std::size_t i = 1; i <= order.size(); ++i) {
      h.key(Qt::Key_Tab);
      QCOMPARE(h.focused(), order[i % order.size()]);
    }
    for (std::size_t i = order.size(); i-- > 0;) {
      h.key(Qt::Key_Backtab, Qt::ShiftModifier);
      QCOMPARE(h.focused(), order[i]);
    }
    QVERIFY(h.messages.isEmpty());
  }

  // One row a line reads as a table.
  // clang-format off
  void rangeChecksOnTab_data() {
    QTest::addColumn<TextBox>("box");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString age = kAgeMessage;
    const QString weight = QStringLiteral("You need to type a weight smaller than 300 kg");
    const QString fat = QStringLiteral("You need to type a body fat Number smaller than 60%");
    const QString three = QStringLiteral("You need to type a number smaller than  3 in this box");
    const QString four = QStringLiteral("You need to type a number smaller than  4 in this box");
    QTest::newRow("age empty") << TextBox::Age << 0 << "" << "";
    QTest::newRow("age exactly 120") << TextBox::Age << 0 << "120" << "";
    QTest::newRow("age 120.5") << TextBox::Age << 0 << "120.5" << age;
    QTest::newRow("age 150 years") << TextBox::Age << 0 << "150 years" << age;
    QTest::newRow("age -5") << TextBox::Age << 0 << "-5" << "";
    QTest::newRow("age abc") << TextBox::Age << 0 << "abc" << "";
    QTest::newRow("age 1e400") << TextBox::Age << 0 << "1e400" << age;
    QTest::newRow("age 120,5") << TextBox::Age << 0 << "120,5" << age;
    QTest::newRow("body fat 60,1") << TextBox::Bodyfat << 0 << "60,1" << fat;
    QTest::newRow("weight 300") << TextBox::Weight1 << 0 << "300" << "";
    QTest::newRow("weight 300.5") << TextBox::Weight1 << 0 << "300.5" << weight;
    QTest::newRow("weight 250 kg") << TextBox::Weight1 << 0 << "250 kg" << "";
    QTest::newRow("body fat 60") << TextBox::Bodyfat << 0 << "60" << "";
    QTest::newRow("body fat 61%") << TextBox::Bodyfat << 0 << "61%" << fat;
    QTest::newRow("exercise 3") << TextBox::Habit << 0 << "3" << "";
    QTest::newRow("exercise 3.5") << TextBox::Habit << 0 << "3.5" << three;
    QTest::newRow("sleep 4") << TextBox::Habit << 3 << "4" << three;
    QTest::newRow("smoking 4") << TextBox::Habit << 4 << "4" << "";
    QTest::newRow("smoking 4.5") << TextBox::Habit << 4 << "4.5" << four;
    QTest::newRow("alcohol 0") << TextBox::Habit << 5 << "0" << "";
    QTest::newRow("alcohol 9") << TextBox::Habit << 5 << "9" << four;
  }
  // clang-format on
  void rangeChecksOnTab() {
    QFETCH(TextBox, box);
    QFETCH(int, index);
    QFETCH(QString, text);
    QFETCH(QString, message);
    Harness h;
    QLineEdit* edit = h.box(box, index);
    h.type(edit, text);
    edit->setCursorPosition(1);
    h.key(Qt::Key_Tab);
    if (message.isEmpty()) {
      QVERIFY(h.messages.isEmpty());
      QVERIFY(h.focused() != edit);
      return;
    }
    QCOMPARE(h.messages, QStringList{message});
    QCOMPARE(h.focused(), edit);
    QCOMPARE(edit->text(), text);
    QVERIFY(!edit->hasSelectedText());
    QCOMPARE(edit->cursorPosition(), 1);
    // Every further attempt to leave shows it again; Shift+Tab too.
    h.key(Qt::Key_Tab);
    h.key(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(h.messages.size(), 3);
    QCOMPARE(h.focused(), edit);
    // Emptying the box lets the user out.
    edit->clear();
    h.key(Qt::Key_Tab);
    QCOMPARE(h.messages.size(), 3);
    QVERIFY(h.focused() != edit);
  }

  void clickWhileRefusedDoesNothing_data() {
    QTest::addColumn<int>("button");
    QTest::newRow("Compute") << int(Button::Compute);
    QTest::newRow("Clear") << int(Button::Clear);
    QTest::newRow("Print") << int(Button::Printing);
  }
  void clickWhileRefusedDoesNothing() {
    QFETCH(int, button);
    Harness h;
    h.fill(0, "40", "80", "20", {"2", "1", "3", "2", "1", "3"});
    h.type(h.box(TextBox::Age), QStringLiteral("150 years"));
    h.click(h.form->button(Button(button)));
    QCOMPARE(h.messages, QStringList{kAgeMessage});
    QCOMPARE(h.focused(), h.box(TextBox::Age));
    QCOMPARE(h.box(TextBox::Age)->text(), QStringLiteral("150 years"));  // not normalised: no assessment ran
    QCOMPARE(h.box(TextBox::Weight1)->text(), QStringLiteral("80"));     // not cleared
    QVERIFY(h.form->result()->text().isEmpty());
    QCOMPARE(h.printed, 0);
    QVERIFY(!h.form->button(Button(button))->isDown());
  }

  void clickIntoAnotherBoxWhileRefused() {
    Harness h;
    h.type(h.box(TextBox::Habit, 2), QStringLiteral("7"));
    h.click(h.box(TextBox::UsrName));
    h.click(h.form->list(List::Sex));
    QCOMPARE(h.messages.size(), 2);
    QCOMPARE(h.focused(), h.box(TextBox::Habit, 2));
    // A click on a label moves no focus and checks nothing.
    h.click(h.form->result());
    QCOMPARE(h.messages.size(), 2);
  }

  void programFocusMoveIsCheckedToo() {
    Harness h;
    h.type(h.box(TextBox::Bodyfat), QStringLiteral("75"));
    h.box(TextBox::Weight1)->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(h.messages.size(), 1);
    QCOMPARE(h.messages.first(), QStringLiteral("You need to type a body fat Number smaller than 60%"));
    QTRY_COMPARE(h.focused(), h.box(TextBox::Bodyfat));
    QTest::qWait(20);
    QCOMPARE(h.messages.size(), 1);  // Weight1 passed on its way out
  }

  void leavingTheApplicationChecksNothing() {
    Harness h;
    h.type(h.box(TextBox::Age), QStringLiteral("200"));
    QWidget other;
    other.resize(100, 100);
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    other.activateWindow();  // a compositor activates a new window by itself
    QVERIFY(Harness::WaitUntilActive(&other));
    other.close();
    h.form->activateWindow();
    QVERIFY(Harness::WaitUntilActive(h.form.get()));
    QTest::qWait(20);
    QVERIFY(h.messages.isEmpty());
    QCOMPARE(h.focused(), h.box(TextBox::Age));
    // The value is still refused once the user moves on within the window.
    h.key(Qt::Key_Tab);
    QCOMPARE(h.messages, QStringList{kAgeMessage});
  }

  void closingTheWindowChecksNothing() {
    Harness h;
    h.type(h.box(TextBox::Weight1), QStringLiteral("900"));
    QVERIFY(h.form->close());
    QTest::qWait(20);
    QVERIFY(h.messages.isEmpty());
    // Shown again, the box still refuses its value on the next move.
    h.form->show();
    h.form->activateWindow();
    QVERIFY(Harness::WaitUntilActive(h.form.get()));
    h.box(TextBox::Weight1)->setFocus(Qt::OtherFocusReason);
    h.key(Qt::Key_Tab);
    QTRY_COMPARE(h.messages, QStringList{QStringLiteral("You need to type a weight smaller than 300 kg")});
  }

  void onePrintoutServesTheWholeRun() {
    Harness h;
    h.fill(0, "40", "80", "20", {"2", "1", "3", "2", "1", "3"});
    h.click(h.form->button(Button::Compute));
    FrmPrint* first = h.form->existingPrintout();
    QVERIFY(first);
    QVERIFY(!first->isVisible());
    h.fill(1, "25", "70", "30", {"1", "1", "3", "2", "1", "1"});
    h.click(h.form->button(Button::Compute));
    QCOMPARE(h.form->existingPrintout(), first);
    QVERIFY(!first->isVisible());
    QCOMPARE(first->field(PrintField::Habits), QStringLiteral(" 6"));
  }

  void clearEmptiesTheTenBoxesOnly() {
    Harness h;
    h.fill(1, "25", "70", "30", {"1", "1", "3", "2", "1", "1"}, 2);
    h.click(h.form->button(Button::Compute));
    const QString report = h.form->result()->text();
    QVERIFY(report.startsWith(QStringLiteral("Current Health Practices:")));
    h.box(TextBox::Age)->setText(QStringLiteral("500"));  // set by program: no check on Clear
    h.click(h.form->button(Button::Clear));
    for (TextBox b : {TextBox::UsrName, TextBox::Age, TextBox::Weight1, TextBox::Bodyfat})
      QVERIFY(h.box(b)->text().isEmpty());
    for (int i = 0; i < kHabitCount; ++i) QVERIFY(h.box(TextBox::Habit, i)->text().isEmpty());
    QCOMPARE(h.form->result()->text(), report);
    QCOMPARE(h.form->list(List::Sex)->currentIndex(), 1);
    QCOMPARE(h.form->list(List::Language)->currentIndex(), 2);
    QVERIFY(h.messages.isEmpty());
    QCOMPARE(h.focused(), static_cast<QWidget*>(h.form->button(Button::Clear)));
  }

  void typingNeverChoosesAListEntry() {
    Harness h;
    SelectionCombo* sex = h.form->list(List::Sex);
    QLineEdit* edit = sex->lineEdit();
    // The exact text of an entry, typed and confirmed, is still not a pick.
    sex->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("Female"));
    h.key(Qt::Key_Return);
    h.key(Qt::Key_Tab);
    QCOMPARE(sex->currentIndex(), -1);
    QCOMPARE(sex->count(), 2);
    QCOMPARE(sex->currentText(), QStringLiteral("Female"));
    // No completion of a beginning.
    sex->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("fem"));
    QCOMPARE(edit->text(), QStringLiteral("fem"));
    h.key(Qt::Key_Tab);
    QCOMPARE(sex->currentIndex(), -1);
    // A pick chooses; typing after it chooses nothing again.
    sex->setCurrentIndex(1);
    QCOMPARE(sex->currentText(), QStringLiteral("Female"));
    sex->setFocus(Qt::OtherFocusReason);
    edit->end(false);
    QTest::keyClicks(edit, QStringLiteral("x"));
    QCOMPARE(sex->currentIndex(), -1);
    QCOMPARE(edit->text(), QStringLiteral("Femalex"));
    // The same for the language list: the assessment then refuses to guess.
    SelectionCombo* language = h.form->list(List::Language);
    language->setFocus(Qt::OtherFocusReason);
    language->lineEdit()->end(false);
    QTest::keyClicks(language->lineEdit(), QStringLiteral("s"));
    QCOMPARE(language->currentIndex(), -1);
    h.fill(0, "40", "80", "20", {"2", "1", "3", "2", "1", "3"}, 0);
    language->setCurrentIndex(-1);
    h.click(h.form->button(Button::Compute));
    QCOMPARE(h.messages.last(), QStringLiteral("You need to choose the print language"));
  }

  // One row a line reads as a table.
  // clang-format off
  void workedExamplesInTheResultLabel_data() {
    QTest::addColumn<int>("sex");
    QTest::addColumn<QString>("age");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("bodyFat");
    QTest::addColumn<QStringList>("habits");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("report");
    const QString head = QStringLiteral("Current Health Practices:  5\n Current Age: 40\nVitayear:  31.9\n"
                                        "Potential Vitayear:  33.2\nAdded Years: -2.4\nRecommendations:\n");
    const QStringList a = {"2", "1", "3", "2", "1", "3"};
    QTest::newRow("A") << 0 << "40" << "80" << "20" << a << 0
                       << head + "Get Regular Exercise\nDon't Drink Alcohol\n";
    QTest::newRow("A in Russian") << 0 << "40 years" << "80 kg" << "20%" << a << 1
                                  << head + QStringLiteral("Регулярно делайте физические упражнения;\n"
                                                           "Не употребляйте алкоголь;\n");
    QTest::newRow("A in Ukrainian") << 0 << "40" << "80" << "20" << a << 2
                                    << head + QStringLiteral("Регулярно виконуйте фізичні вправи; \n"
                                                             "Не вживайте алкоголю; \n");
    QTest::newRow("B") << 1 << "25" << "70" << "30" << QStringList{"1", "1", "3", "2", "1", "1"} << 0
                       << QStringLiteral("Current Health Practices:  6\n Current Age: 25\nVitayear:  21.7\n"
                                         "Potential Vitayear:  20.5\nAdded Years:  3.8\nRecommendations:\n"
                                         "Achieve a Healthy Weight of  66kg or below\n");
  }
  // clang-format on
  void workedExamplesInTheResultLabel() {
    QFETCH(int, sex);
    QFETCH(QString, age);
    QFETCH(QString, weight);
    QFETCH(QString, bodyFat);
    QFETCH(QStringList, habits);
    QFETCH(int, language);
    QFETCH(QString, report);
    Harness h;
    h.fill(sex, age.toUtf8(), weight.toUtf8(), bodyFat.toUtf8(), {"", "", "", "", "", ""}, language);
    for (int i = 0; i < kHabitCount; ++i) h.box(TextBox::Habit, i)->setText(habits[i]);
    h.click(h.form->button(Button::Compute));
    QVERIFY(h.messages.isEmpty());
    QCOMPARE(h.form->result()->text(), report);
    QCOMPARE(h.box(TextBox::Weight1)->text(), weight);
    QVERIFY(!h.box(TextBox::Age)->text().contains(' '));
    QCOMPARE(h.form->printout().field(PrintField::Recommendation),
             report.mid(report.indexOf("Recommendations:\n") + 17).replace('\n', '\r'));
  }

  void cyrillicIsDrawnFromACyrillicFont() {
    Harness h;
    QString letters;
    for (int language = 1; language <= 2; ++language)
      for (int row = 1; row <= 8; ++row)
        letters += QString::fromUtf8(Phrase(language, row).data(), qsizetype(Phrase(language, row).size()));
    letters += QStringLiteral("ЁёЇїЄєҐґ");
    for (QWidget* w : std::initializer_list<QWidget*>{h.form->result(), h.box(TextBox::UsrName)}) {
      QCOMPARE(QFontInfo(w->font()).family(), QStringLiteral("Liberation Sans"));
      QVERIFY(QFontInfo(w->font()).bold());
      const QFontMetrics metrics(w->font());
      for (QChar c : letters) QVERIFY2(metrics.inFont(c), qPrintable(QString(c)));
    }
    h.box(TextBox::UsrName)->setFocus(Qt::OtherFocusReason);
    Harness::typeUnicode(h.box(TextBox::UsrName), QStringLiteral("Олена"));
    QCOMPARE(h.box(TextBox::UsrName)->text(), QStringLiteral("Олена"));
  }

  void messageBoxHasTitleOneButtonAndNoIcon() {
    auto box = MakeMessageBox(nullptr, QStringLiteral("<b>Please type in a valid number</b>"));
    QCOMPARE(box->windowTitle(), QStringLiteral("Vitayear"));
    QCOMPARE(box->icon(), QMessageBox::NoIcon);
    QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(box->buttons().size(), 1);
    QCOMPARE(box->textFormat(), Qt::PlainText);
    if (QGuiApplication::platformName() == QLatin1String("wayland")) {
      box->show();
      QVERIFY(QTest::qWaitForWindowExposed(box.get()));
      QVERIFY2(box->windowHandle()->frameMargins().top() > 0, "no title bar");
    }
  }

  void aFailureInAHandlerIsShownAndTheProgramGoesOn() {
    Harness h;
    h.fill(0, "40", "80", "20", {"2", "1", "3", "2", "1", "3"});
    h.form->setPrinter([](const PrintoutTexts&) -> PrintResult { throw std::runtime_error("paper jam"); });
    h.click(h.form->button(Button::Printing));
    QCOMPARE(h.messages.size(), 1);
    QVERIFY(h.messages.first().contains(QStringLiteral("paper jam")));
    h.click(h.form->button(Button::Compute));
    QCOMPARE(h.messages.size(), 1);
    QVERIFY(h.form->result()->text().startsWith(QStringLiteral("Current Health Practices:  5")));
  }

  void refusedHabitPutsTheFocusInItsBox() {
    Harness h;
    h.fill(0, "45 years", "80 kg", "22%", {"2", "1", "", "2", "1", "3"});
    h.click(h.form->button(Button::Compute));
    QCOMPARE(h.messages, QStringList{QStringLiteral("Please type in a valid number")});
    QCOMPARE(h.focused(), h.box(TextBox::Habit, 2));
    QCOMPARE(h.form->result()->text(), QStringLiteral("0"));
    QCOMPARE(h.box(TextBox::Age)->text(), QStringLiteral("45"));
    QCOMPARE(h.box(TextBox::Bodyfat)->text(), QStringLiteral("22"));
    QCOMPARE(h.box(TextBox::Weight1)->text(), QStringLiteral("80 kg"));
    QVERIFY(h.form->existingPrintout() == nullptr);
  }
};

QTEST_MAIN(InputWindowTest)
#include "input_window_test.moc"
