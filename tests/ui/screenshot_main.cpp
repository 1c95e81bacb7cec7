// Draws the input window with a completed report to a PNG file for the
// README and presses Print, so the default printer gets the page too. Run by
// scripts/screenshots.sh under Xvfb with the test printer.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "frmInput.h"
#include "frmPrint.h"
#include "selection_combo.h"

using namespace vitayear;
using namespace vitayear::ui;

int main(int argc, char* argv[]) {
  if (argc < 2) return 2;
  QApplication app(argc, argv);
  FrmInput form;
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) return 1;
  form.box(TextBox::UsrName)->setText(QStringLiteral("Олена Коваль"));
  form.box(TextBox::Age)->setText(QStringLiteral("25"));
  form.list(List::Sex)->setCurrentIndex(1);
  form.box(TextBox::Weight1)->setText(QStringLiteral("70"));
  form.box(TextBox::Bodyfat)->setText(QStringLiteral("30"));
  const char* habits[] = {"2", "1", "3", "2", "1", "3"};
  for (int i = 0; i < kHabitCount; ++i) form.box(TextBox::Habit, i)->setText(QString::fromLatin1(habits[i]));
  form.list(List::Language)->setCurrentIndex(2);
  form.compute();
  QApplication::processEvents();
  if (!form.grab().save(QString::fromLocal8Bit(argv[1]))) return 1;
  form.setMessageSink([](const QString& text) { qWarning("%s", qPrintable(text)); });
  form.print();
  return 0;
}
