// A shown input window whose messages are recorded instead of shown, and
// helpers to drive it with real key and mouse events through its window.
#pragma once

#include <QtTest/qtestspontaneevent.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QWheelEvent>
#include <memory>

#include "credentials_dialog.h"
#include "frmInput.h"
#include "input_layout.h"
#include "print_page.h"
#include "print_watches.h"
#include "selection_combo.h"

namespace vitayear::ui::testing {

struct Harness {
  std::unique_ptr<FrmInput> form = std::make_unique<FrmInput>();
  QStringList messages;
  int printed = 0;
  PrintoutTexts lastPage;

  enum class Printer { Recorder, Spooler };

  // `printBoundMs`: a shorter bound for the spooler, where a test only needs one to exist.
  explicit Harness(Printer printer = Printer::Recorder, int printBoundMs = kPrintBoundMs) {
    form->setMessageSink([this](const QString& text) { messages.append(text); });
    if (printer == Printer::Spooler && printBoundMs != kPrintBoundMs)
      form->setPrinter([this, printBoundMs](const PrintoutTexts& page) {
        return PrintOnDefaultPrinter(page, CredentialsPromptOver(form.get()), printBoundMs,
                                     form->printWatches().watchNext());
      });
    if (printer == Printer::Recorder)
      form->setPrinter([this](const PrintoutTexts& page) {
        ++printed;
        lastPage = page;
        return PrintResult{true, {}, {}};
      });
    form->show();
    const bool exposed = QTest::qWaitForWindowExposed(form.get());
    form->activateWindow();
    const bool active = exposed && WaitUntilActive(form.get());
    // Records a failure in the running test; the focus tests need an active window.
    QTest::qVerify(active, "form is active", "the input window did not become active", __FILE__, __LINE__);
  }

  // Not qWaitForWindowActive nor isActiveWindow(): where the platform cannot
  // ask for activation (Wayland) both answer before the compositor has given
  // the window the keyboard.
  static bool WaitUntilActive(QWidget* window) {
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
  }

  // Types text that QTest's ASCII key tables do not hold, one key event per character.
  static void typeUnicode(QWidget* target, const QString& text) {
    for (QChar c : text) QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }

  QLineEdit* box(TextBox b, int index = 0) const { return form->box(b, index); }

  // The control of the layout that has the focus (a combo box for its edit).
  QWidget* focused() const {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
      if (w->parentWidget() == form.get()) return w;
    return nullptr;
  }

  void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
    QTest::keyClick(form->windowHandle(), k, modifiers);
  }

  void click(QWidget* target) const {
    QTest::mouseClick(form->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      target->mapTo(form.get(), target->rect().center()));
  }

  // One notch of the mouse wheel over a control (down: towards the next
  // entry), delivered as the window system delivers it.
  void wheel(QWidget* target, int notches) const {
    const QPointF at = target->mapTo(form.get(), target->rect().center());
    QWheelEvent event(at, form->mapToGlobal(at), QPoint(), QPoint(0, -120 * notches), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    // As the platform delivers it: spontaneous, which sendEvent() would undo,
    // and only a spontaneous wheel event moves the focus or propagates.
    QSpontaneKeyEvent::setSpontaneous(&event);
    QApplication::instance()->notify(form->windowHandle(), &event);
  }

  // Types into a box as a user would: focus it, then key presses.
  void type(QLineEdit* edit, const QString& text) const {
    edit->setFocus(Qt::OtherFocusReason);
    edit->clear();
    QTest::keyClicks(edit, text);
  }

  void fill(int sex, const char* age, const char* weight, const char* bodyFat, const std::array<const char*, 6>& habits,
            int language = 0) const {
    box(TextBox::UsrName)->setText(QStringLiteral("Ann"));
    box(TextBox::Age)->setText(QString::fromUtf8(age));
    box(TextBox::Weight1)->setText(QString::fromUtf8(weight));
    box(TextBox::Bodyfat)->setText(QString::fromUtf8(bodyFat));
    for (int i = 0; i < 6; ++i) box(TextBox::Habit, i)->setText(QString::fromUtf8(habits[static_cast<std::size_t>(i)]));
    form->list(List::Sex)->setCurrentIndex(sex);
    form->list(List::Language)->setCurrentIndex(language);
  }
};

}  // namespace vitayear::ui::testing
