// Print prints only after a completed assessment, and says so when the
// printer fails. The printer here is a recorder; the spooler tests are
// separate.
#include <QDialogButtonBox>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "credentials_dialog.h"
#include "form_harness.h"
#include "frmPrint.h"

using namespace vitayear;
using namespace vitayear::ui;
using vitayear::ui::testing::Harness;

class PrintButtonTest : public QObject {
  Q_OBJECT

 private slots:
  void eachPressComputesAndPrintsOnePage() {
    Harness h;
    h.fill(0, "40 years", "80", "20", {"2", "1", "3", "2", "1", "3"});
    h.click(h.form->button(Button::Printing));
    QCOMPARE(h.printed, 1);
    QVERIFY(h.messages.isEmpty());
    QCOMPARE(h.lastPage, h.form->printout().texts());
    QCOMPARE(h.lastPage[PrintField::Age], QStringLiteral("40"));
    QCOMPARE(h.lastPage[PrintField::UsrName], QStringLiteral("Ann"));
    QCOMPARE(h.lastPage[PrintField::Vitayear], QStringLiteral(" 31.9"));
    QCOMPARE(h.lastPage[PrintField::IdealAge], QStringLiteral(" 33.2"));
    QCOMPARE(h.lastPage[PrintField::AddedYears], QStringLiteral("-2.4"));
    QCOMPARE(h.lastPage[PrintField::Habits], QStringLiteral(" 5"));
    QCOMPARE(h.lastPage[PrintField::Recommendation], QStringLiteral("Get Regular Exercise\rDon't Drink Alcohol\r"));
    h.click(h.form->button(Button::Printing));
    QCOMPARE(h.printed, 2);
  }

  // One row a line reads as a table.
  // clang-format off
  void aStoppedAssessmentPrintsNothing_data() {
    QTest::addColumn<int>("sex");
    QTest::addColumn<QString>("exercise");
    QTest::addColumn<QString>("message");
    QTest::newRow("no sex") << -1 << "2" << "You need to choose the sex of the person";
    QTest::newRow("habit 0") << 0 << "0" << "Please type in a valid number";
    QTest::newRow("habit empty") << 0 << "" << "Please type in a valid number";
  }
  // clang-format on
  void aStoppedAssessmentPrintsNothing() {
    QFETCH(int, sex);
    QFETCH(QString, exercise);
    QFETCH(QString, message);
    Harness h;
    // The first person's page is complete and in the printout...
    h.fill(1, "25", "70", "30", {"1", "1", "3", "2", "1", "1"});
    h.click(h.form->button(Button::Compute));
    const PrintoutTexts first = h.form->printout().texts();
    // ...and must never reach the next person.
    h.fill(sex, "40", "80", "20", {"2", "1", "3", "2", "1", "3"});
    h.box(TextBox::Habit, 0)->setText(exercise);
    h.box(TextBox::UsrName)->setText(QStringLiteral("Bob"));
    h.click(h.form->button(Button::Printing));
    QCOMPARE(h.messages, QStringList{message});
    QCOMPARE(h.printed, 0);
    QCOMPARE(h.form->printout().texts(), first);
  }

  // One row a line reads as a table.
  // clang-format off
  void printerProblemsAreShownAndTheFieldsKept_data() {
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("notice");
    QTest::newRow("no printer") << false << "No default printer is set up." << "";
    QTest::newRow("paused") << true << "" << "The page is waiting at the printer.";
  }
  // clang-format on
  void printerProblemsAreShownAndTheFieldsKept() {
    QFETCH(bool, ok);
    QFETCH(QString, problem);
    QFETCH(QString, notice);
    Harness h;
    h.form->setPrinter([&](const PrintoutTexts&) { return PrintResult{ok, problem, notice}; });
    h.fill(0, "40", "80", "20", {"2", "1", "3", "2", "1", "3"});
    h.click(h.form->button(Button::Printing));
    QCOMPARE(h.messages, QStringList{ok ? notice : problem});
    QCOMPARE(h.box(TextBox::UsrName)->text(), QStringLiteral("Ann"));
    QCOMPARE(h.box(TextBox::Weight1)->text(), QStringLiteral("80"));
  }

  // The print server's or a printer's question: a modal dialog over the
  // window naming who asks, the user name offered, the password masked;
  // Cancel gives nothing.
  // clang-format off
  void thePasswordQuestion_data() {
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("printer");
    QTest::addColumn<QString>("said");
    QTest::newRow("the server's, answered") << true << "" << "The print server printserver:631 asks for a user name and password to print the page.";
    QTest::newRow("the server's, cancelled") << false << "" << "The print server printserver:631 asks for a user name and password to print the page.";
    QTest::newRow("a printer's, answered") << true << "clinic" << "The printer \"clinic\" asks for a user name and password to print the page.";
  }
  // clang-format on
  void thePasswordQuestion() {
    QFETCH(bool, ok);
    QFETCH(QString, printer);
    QFETCH(QString, said);
    Harness h;
    bool seen = false;
    QTimer::singleShot(0, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      if (!dialog) return;
      const auto boxes = dialog->findChildren<QLineEdit*>();
      const auto texts = dialog->findChildren<QLabel*>();
      seen = dialog->parentWidget() == h.form.get() && boxes.size() == 2 &&
             boxes[0]->text() == QStringLiteral("clinic") && boxes[1]->echoMode() == QLineEdit::Password &&
             !texts.isEmpty() && texts.first()->text() == said;
      if (boxes.size() == 2) boxes[1]->setText(QStringLiteral("s3cret"));
      auto* buttons = dialog->findChild<QDialogButtonBox*>();
      buttons->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
    });
    const auto answer =
        AskForCredentials(h.form.get(), {QStringLiteral("printserver:631"), printer, QStringLiteral("clinic"), false});
    QVERIFY(seen);
    QCOMPARE(answer.has_value(), ok);
    if (ok) {
      QCOMPARE(answer->user, QStringLiteral("clinic"));
      QCOMPARE(answer->password, QStringLiteral("s3cret"));
    }
  }
};

QTEST_MAIN(PrintButtonTest)
#include "print_button_test.moc"
