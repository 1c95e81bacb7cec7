// In-process figures of the real window, each beside a floor measured in the
// same run:
//   window_bench compute N   click on Compute to the report painted, against
//                            a click that sets a plain label in an empty window
//   window_bench print N     click on Print to the job accepted by the spooler,
//                            and the size of the PDF the queue received,
//                            against an empty page sent the same way
//   window_bench soak C P    C Computes and P Prints; VmRSS before and after
// Printing needs CUPS_SERVER and VITAYEAR_BENCH_SPOOL (the daemon's spool).
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <functional>
#include <string>

#include "frmInput.h"
#include "print_page.h"
#include "selection_combo.h"
#include "stats.h"

using namespace vitayear;
using namespace vitayear::ui;
using vitayear::bench::PrintHeader;
using vitayear::bench::PrintRow;
using vitayear::bench::VmRssMiB;

namespace {

void Fill(FrmInput& form, int person) {
  const bool a = person % 2 == 0;
  form.box(TextBox::UsrName)->setText(a ? QStringLiteral("Ann") : QStringLiteral("Олена"));
  form.box(TextBox::Age)->setText(a ? QStringLiteral("40") : QStringLiteral("25"));
  form.box(TextBox::Weight1)->setText(a ? QStringLiteral("80") : QStringLiteral("70"));
  form.box(TextBox::Bodyfat)->setText(a ? QStringLiteral("20") : QStringLiteral("30"));
  const char* habits = a ? "213213" : "113211";
  for (int i = 0; i < kHabitCount; ++i) form.box(TextBox::Habit, i)->setText(QString(QChar(habits[i])));
  form.list(List::Sex)->setCurrentIndex(a ? 0 : 1);
  form.list(List::Language)->setCurrentIndex(person % 3);
}

void Click(QWidget* window, QWidget* target) {
  QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                    target->mapTo(window, target->rect().center()));
}

bool Show(QWidget& window) {
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return false;
  window.activateWindow();
  return QTest::qWaitForWindowActive(&window);
}

// Times `action` n times, in milliseconds.
std::vector<double> Times(int n, const std::function<void(int)>& action) {
  std::vector<double> ms;
  for (int i = 0; i < n; ++i) {
    QElapsedTimer timer;
    timer.start();
    action(i);
    ms.push_back(double(timer.nsecsElapsed()) / 1e6);
  }
  return ms;
}

// The newest document the spooler kept, in KiB.
double NewestSpooledKiB() {
  const QDir spool(qEnvironmentVariable("VITAYEAR_BENCH_SPOOL"));
  const QFileInfoList files = spool.entryInfoList({"d*-001"}, QDir::Files, QDir::Time);
  return files.isEmpty() ? -1 : double(files.first().size()) / 1024;
}

int Compute(int n) {
  FrmInput form;
  form.setMessageSink([](const QString&) {});
  QWidget floor;
  floor.setFixedSize(795, 702);
  auto* label = new QLabel(&floor);
  label->setGeometry(form.result()->geometry());
  label->setFont(form.result()->font());
  label->setWordWrap(true);
  auto* button = new QPushButton(QStringLiteral("Compute"), &floor);
  button->setGeometry(form.button(Button::Compute)->geometry());
  int presses = 0;
  QObject::connect(button, &QPushButton::clicked, label, [&] {
    label->setText(QStringLiteral("Current Health Practices:  %1\n Current Age: 40\nVitayear:  31.9\n").arg(++presses));
  });
  if (!Show(floor) || !Show(form)) return 1;
  std::vector<double> floorMs, formMs;
  for (int i = 0; i < n; ++i) {  // alternate the two
    floor.activateWindow();
    if (!QTest::qWaitForWindowActive(&floor)) return 1;
    floorMs.push_back(Times(1, [&](int) {
      Click(&floor, button);
      label->repaint();
    })[0]);
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form)) return 1;
    Fill(form, i);
    formMs.push_back(Times(1, [&](int) {
      Click(&form, form.button(Button::Compute));
      form.result()->repaint();
    })[0]);
  }
  PrintHeader("label click");
  PrintRow("click to report painted", floorMs, formMs, "ms", 3);
  return 0;
}

int Print(int n) {
  if (QPrinterInfo::defaultPrinter().isNull()) {
    std::fprintf(stderr, "no default printer\n");
    return 1;
  }
  FrmInput form;
  QString problem;
  form.setMessageSink([&](const QString& text) { problem = text; });
  if (!Show(form)) return 1;
  std::vector<double> floorMs, formMs, floorKiB, formKiB;
  for (int i = 0; i < n; ++i) {
    floorMs.push_back(Times(1, [](int) {
      QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
      QPainter painter(&printer);
    })[0]);
    floorKiB.push_back(NewestSpooledKiB());
    Fill(form, i);
    formMs.push_back(Times(1, [&](int) { Click(&form, form.button(Button::Printing)); })[0]);
    formKiB.push_back(NewestSpooledKiB());
    if (!problem.isEmpty()) {
      std::fprintf(stderr, "printing failed: %s\n", qPrintable(problem));
      return 1;
    }
  }
  PrintHeader("empty page");
  PrintRow("click to job accepted", floorMs, formMs, "ms", 3);
  PrintRow("PDF the queue received", floorKiB, formKiB, "KiB", 3);
  return 0;
}

int Soak(int computes, int prints) {
  FrmInput form;
  form.setMessageSink([](const QString&) {});
  if (!Show(form)) return 1;
  Fill(form, 0);
  Click(&form, form.button(Button::Compute));
  Click(&form, form.button(Button::Printing));
  const double before = VmRssMiB("self");
  QElapsedTimer timer;
  timer.start();
  for (int i = 0; i < computes; ++i) {
    Fill(form, i);
    Click(&form, form.button(Button::Compute));
    if (i % 100 == 0) QApplication::processEvents();
  }
  for (int i = 0; i < prints; ++i) {
    Fill(form, i);
    Click(&form, form.button(Button::Printing));
  }
  QApplication::processEvents();
  const double after = VmRssMiB("self");
  std::printf("soak: %d Computes and %d Prints in %.1f s; VmRSS %.1f MiB before, %.1f MiB after (%+.1f MiB)\n",
              computes, prints, double(timer.elapsed()) / 1000, before, after, after - before);
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const QStringList args = QApplication::arguments();
  const QString mode = args.value(1);
  if (mode == "compute") return Compute(args.value(2, "200").toInt());
  if (mode == "print") return Print(args.value(2, "10").toInt());
  if (mode == "soak") return Soak(args.value(2, "10000").toInt(), args.value(3, "200").toInt());
  std::fprintf(stderr, "usage: window_bench compute N | print N | soak COMPUTES PRINTS\n");
  return 2;
}
