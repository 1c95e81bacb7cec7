#include "print_page.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "cups_library.h"
#include "print_layout.h"
#include "twips.h"

namespace vitayear::ui {
namespace {

constexpr int kDotsPerInch = 96;  // one dot is 15 twips, as on screen

QString CupsError() { return QString::fromUtf8(Cups().lastErrorString()); }

// Qt found no default printer: ask the spooler why, so the message can say
// whether it is missing or not running at all.
QString WhyNoDefaultPrinter() {
  const CupsLibrary& cups = Cups();
  http_t* http = cups.connect(cups.server(), cups.port(), nullptr, AF_UNSPEC, cups.encryption(), 1, 5000, nullptr);
  if (!http)
    return QStringLiteral("The printing service (CUPS) is not running, or cannot be reached at %1. Nothing was printed.")
        .arg(QString::fromLocal8Bit(cups.server()));
  cups.close(http);
  cups_dest_t* dest = cups.getNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
  if (dest) {
    cups.freeDests(1, dest);
    return QStringLiteral("The default printer could not be opened. Nothing was printed.");
  }
  return QStringLiteral("No default printer is set up. Choose a default printer in the system's printer "
                        "settings, then press Print again. Nothing was printed.");
}

bool IsPaused(const QString& printer) {
  const CupsLibrary& cups = Cups();
  cups_dest_t* dest = cups.getNamedDest(CUPS_HTTP_DEFAULT, printer.toLocal8Bit().constData(), nullptr);
  if (!dest) return false;
  const char* state = cups.getOption("printer-state", dest->num_options, dest->options);
  const bool paused = state && QByteArray(state) == "5";  // IPP_PSTATE_STOPPED
  cups.freeDests(1, dest);
  return paused;
}

// Where the printout window's top-left corner goes within the printable area
// (dots at 96 per inch): the content, which starts well right of the window's
// edge, is centred across the printable width, the window's top at its top.
QPointF PrintoutOrigin(QSizeF printableDots) {
  const TwipsBox content = PrintContentBounds();
  const qreal contentWidth = Pixels(content.right - content.left);
  return {(printableDots.width() - contentWidth) / 2 - Pixels(content.left), 0};
}

}  // namespace

PrintResult PrintOnDefaultPrinter(const PrintoutTexts& texts) {
  if (!Cups().loaded())
    return {false, QStringLiteral("The printing library (libcups) could not be loaded. Nothing was printed."), {}};
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) return {false, WhyNoDefaultPrinter(), {}};

  QPrinter printer(info, QPrinter::HighResolution);
  // QPrinter starts from A4 whatever the queue says; use the queue's paper.
  printer.setPageSize(info.defaultPageSize());
  printer.setResolution(kDotsPerInch);
  printer.setFullPage(false);
  printer.setDocName(QStringLiteral("Vitayear"));
  // Never let Qt divert the page into a file or onto another queue.
  if (printer.outputFormat() != QPrinter::NativeFormat || printer.printerName() != info.printerName() ||
      !printer.outputFileName().isEmpty())
    return {false, QStringLiteral("The printer \"%1\" cannot be used. Nothing was printed.").arg(info.printerName()), {}};

  QPainter painter;
  if (!painter.begin(&printer))
    return {false, QStringLiteral("The printer \"%1\" could not be started. Nothing was printed.").arg(info.printerName()),
            {}};
  PaintPrintout(painter, texts, PrintoutOrigin(QSizeF(printer.width(), printer.height())));
  if (!painter.end())
    return {false, QStringLiteral("The page could not be finished for \"%1\". Nothing was printed.").arg(info.printerName()),
            {}};

  // Qt does not report whether the spooler accepted the job; libcups keeps
  // the answer to its last request, which was that job.
  if (Cups().lastError() > IPP_STATUS_OK_EVENTS_COMPLETE)
    return {false,
            QStringLiteral("The printer \"%1\" did not accept the page: %2. Nothing was printed.")
                .arg(info.printerName(), CupsError()),
            {}};
  PrintResult result{true, {}, {}};
  if (IsPaused(info.printerName()))
    result.notice = QStringLiteral("The page is waiting at the printer \"%1\", which is paused. It prints once the "
                                   "printer is resumed.")
                        .arg(info.printerName());
  return result;
}

}  // namespace vitayear::ui
