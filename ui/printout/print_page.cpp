#include "print_page.h"

#include <QBuffer>
#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <optional>

#include "cups_library.h"
#include "print_layout.h"
#include "print_server.h"
#include "twips.h"

namespace vitayear::ui {
namespace {

constexpr int kDotsPerInch = 96;  // one dot is 15 twips, as on screen
// From the click to the job accepted or a message, when the server hangs.
constexpr int kBudgetMs = 9000;
const char* const kTitle = "Vitayear";

PrintResult Problem(const QString& text) { return {false, text + QStringLiteral(" Nothing was printed."), {}}; }

// The request failed: say what the connection saw, or else what the server
// answered in `otherwise`.
PrintResult Failed(const PrintServer& server, const QString& otherwise) {
  const QString name = PrintServer::Name();
  switch (server.fault()) {
    case PrintServer::Fault::NotRunning:
      return Problem(
          QStringLiteral("The printing service (CUPS) is not running, or cannot be reached at %1.").arg(name));
    case PrintServer::Fault::NoAnswer: return Problem(QStringLiteral("The print server %1 does not answer.").arg(name));
    case PrintServer::Fault::Closed:
      return Problem(QStringLiteral("The print server %1 closed the connection.").arg(name));
    case PrintServer::Fault::None: break;
  }
  return Problem(otherwise);
}

// The server's words for what it refused, without their closing full stop:
// the message puts its own.
QString LastAnswer() {
  QString answer = QString::fromUtf8(Cups().lastErrorString()).trimmed();
  while (answer.endsWith(u'.')) answer.chop(1);
  return answer;
}

// Where the printout window's top-left corner goes within the printable area
// (dots at 96 per inch): the content, which starts well right of the window's
// edge, is centred across the printable width, the window's top at its top.
QPointF PrintoutOrigin(QSizeF printableDots) {
  const TwipsBox content = PrintContentBounds();
  const qreal contentWidth = Pixels(content.right - content.left);
  return {(printableDots.width() - contentWidth) / 2 - Pixels(content.left), 0};
}

struct Destination {
  cups_dest_t* dest = nullptr;
  cups_dinfo_t* info = nullptr;
  QString name() const { return QString::fromUtf8(dest->name); }
  ~Destination() {
    if (info) Cups().freeDestInfo(info);
    if (dest) Cups().freeDests(1, dest);
  }
};

// The queue's default paper and the margins it cannot print on, in
// hundredths of a millimetre, as the spooler itself states them.
struct Paper {
  int width = 0, length = 0, left = 0, top = 0, right = 0, bottom = 0;
};

std::optional<Paper> DefaultPaper(http_t* http, const Destination& at) {
  const CupsLibrary& cups = Cups();
  ipp_attribute_t* media = cups.findDestDefault(http, at.dest, at.info, "media-col");
  ipp_t* col = media ? cups.getCollection(media, 0) : nullptr;
  ipp_attribute_t* size = col ? cups.findAttribute(col, "media-size", IPP_TAG_BEGIN_COLLECTION) : nullptr;
  ipp_t* dimensions = size ? cups.getCollection(size, 0) : nullptr;
  if (!dimensions) return std::nullopt;
  const auto number = [&cups](ipp_t* in, const char* name) {
    ipp_attribute_t* attribute = cups.findAttribute(in, name, IPP_TAG_INTEGER);
    return attribute ? cups.getInteger(attribute, 0) : 0;
  };
  Paper paper{number(dimensions, "x-dimension"), number(dimensions, "y-dimension"), number(col, "media-left-margin"),
              number(col, "media-top-margin"),   number(col, "media-right-margin"), number(col, "media-bottom-margin")};
  if (paper.width <= 0 || paper.length <= 0) return std::nullopt;
  return paper;
}

// The page as a PDF in memory, on the queue's paper within its margins.
QByteArray RenderPdf(const PrintoutTexts& texts, const Paper& media) {
  QByteArray pdf;
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setResolution(kDotsPerInch);
  writer.setTitle(QString::fromLatin1(kTitle));
  writer.setCreator(QString::fromLatin1(kTitle));
  const QPageSize paper(QSizeF(media.width / 100.0, media.length / 100.0), QPageSize::Millimeter, QString(),
                        QPageSize::FuzzyMatch);
  const QMarginsF margins(media.left / 100.0, media.top / 100.0, media.right / 100.0, media.bottom / 100.0);
  writer.setPageLayout(QPageLayout(paper, QPageLayout::Portrait, margins, QPageLayout::Millimeter));
  QPainter painter(&writer);
  PaintPrintout(painter, texts, PrintoutOrigin(QSizeF(writer.width(), writer.height())));
  painter.end();
  return pdf;
}

class BusyCursor {
 public:
  BusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
  ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

// Hands the page to the spooler as one job; whether it was accepted is the
// spooler's answer for that job, not whatever libcups heard last.
PrintResult Submit(const PrintServer& server, const Destination& to, const QByteArray& pdf) {
  const CupsLibrary& cups = Cups();
  http_t* http = server.http();
  const QString printer = to.name();
  const auto refused = [&](const QString& answer) {
    return Failed(server, QStringLiteral("The printer \"%1\" at %2 did not accept the page: %3.")
                              .arg(printer, PrintServer::Name(), answer));
  };
  int job = 0;
  if (cups.createDestJob(http, to.dest, to.info, &job, kTitle, 0, nullptr) > IPP_STATUS_OK_EVENTS_COMPLETE || job <= 0)
    return refused(LastAnswer());
  bool sent = cups.startDestDocument(http, to.dest, to.info, job, kTitle, CUPS_FORMAT_PDF, 0, nullptr, 1) ==
              HTTP_STATUS_CONTINUE;
  sent = sent && cups.writeRequestData(http, pdf.constData(), static_cast<size_t>(pdf.size())) == HTTP_STATUS_CONTINUE;
  const ipp_status_t finished = sent ? cups.finishDestDocument(http, to.dest, to.info) : IPP_STATUS_ERROR_INTERNAL;
  if (finished <= IPP_STATUS_OK_EVENTS_COMPLETE) return {true, {}, {}};
  const PrintResult result = refused(LastAnswer());
  // A job without its page would wait on the server for ever.
  if (server.fault() == PrintServer::Fault::None) cups.cancelDestJob(http, to.dest, job);
  return result;
}

}  // namespace

PrintResult PrintOnDefaultPrinter(const PrintoutTexts& texts) {
  if (!Cups().loaded()) return Problem(QStringLiteral("The printing library (libcups) could not be loaded."));
  const CupsLibrary& cups = Cups();
  const BusyCursor busy;
  const PrintServer server(kBudgetMs);
  if (!server.http()) return Failed(server, {});

  Destination to;
  to.dest = cups.getNamedDest(server.http(), nullptr, nullptr);
  if (!to.dest)
    return Failed(server,
                  QStringLiteral("No default printer is set up at the print server %1. Choose a default printer "
                                 "in the system's printer settings, then press Print again.")
                      .arg(PrintServer::Name()));
  const QString printer = to.name();
  to.info = cups.copyDestInfo(server.http(), to.dest);
  const std::optional<Paper> paper = to.info ? DefaultPaper(server.http(), to) : std::nullopt;
  if (!paper)
    return Failed(
        server,
        QStringLiteral("The printer \"%1\" at %2 did not say what paper it holds.").arg(printer, PrintServer::Name()));

  const PrintResult result = Submit(server, to, RenderPdf(texts, *paper));
  if (!result.ok) return result;
  const char* state = cups.getOption("printer-state", to.dest->num_options, to.dest->options);
  if (state && QByteArray(state) == "5")  // IPP_PSTATE_STOPPED
    return {true,
            {},
            QStringLiteral("The page is waiting at the printer \"%1\", which is paused. It prints once the printer "
                           "is resumed.")
                .arg(printer)};
  return result;
}

}  // namespace vitayear::ui
