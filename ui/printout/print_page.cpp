#include "print_page.h"

#include <QBuffer>
#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <atomic>
#include <memory>
#include <optional>

#include "credentials_dialog.h"
#include "cups_library.h"
#include "job_look.h"
#include "named_default.h"
#include "paper_choice.h"
#include "print_layout.h"
#include "print_worker.h"
#include "twips.h"

namespace vitayear::ui {
namespace {

constexpr int kDotsPerInch = 96;  // one dot is 15 twips, as on screen
// From the click to the job accepted or a message, whatever is slow.
constexpr int kBudgetMs = 9000;
// Kept back from the page's upload for a last word about its job.
constexpr int kJobLookMs = 1500;
const char* const kTitle = "Vitayear";

PrintResult Problem(const QString& text) { return {false, text + QStringLiteral(" Nothing was printed."), {}}; }

// The request failed: say what the connection saw, or else what the server
// answered in `otherwise`.
PrintResult Failed(LinkFault fault, const QString& server, const QString& otherwise) {
  switch (fault) {
    case LinkFault::NoName:
      return Problem(QStringLiteral("The name of the print server %1 could not be looked up.").arg(server));
    case LinkFault::NotRunning:
      return Problem(
          QStringLiteral("The printing service (CUPS) is not running, or cannot be reached at %1.").arg(server));
    case LinkFault::NoAnswer: return Problem(QStringLiteral("The print server %1 does not answer.").arg(server));
    case LinkFault::Closed: return Problem(QStringLiteral("The print server %1 closed the connection.").arg(server));
    case LinkFault::Encryption:
      return Problem(
          QStringLiteral("Vitayear could not set up an encrypted connection to the print server %1.").arg(server));
    case LinkFault::CredentialsRefused:
      return Problem(QStringLiteral("The print server %1 did not accept the user name and password.").arg(server));
    case LinkFault::CredentialsCancelled:
      return Problem(QStringLiteral("The question of the print server %1 for a user name and password was cancelled.")
                         .arg(server));
    case LinkFault::None: break;
  }
  return Problem(otherwise);
}

// Where the printout window's top-left corner goes within the printable area
// (dots at 96 per inch), the page drawn at `scale`: the content, which starts
// well right of the window's edge, is centred across the printable width; the
// window's top is at the printable area's top, or higher where the content
// would otherwise run off its bottom.
QPointF PrintoutOrigin(QSizeF printableDots, qreal scale) {
  const TwipsBox content = PrintContentBounds();
  const qreal contentWidth = Pixels(content.right - content.left) * scale;
  return {(printableDots.width() - contentWidth) / 2 - Pixels(content.left) * scale,
          std::min(0.0, printableDots.height() - Pixels(content.bottom) * scale)};
}

// One print, shared by the window's thread and the print worker: a worker
// that outlives the window's wait still finds it. The worker writes the
// first fields before the step that hands the page over; during that step
// the window's thread, which may stop waiting at the deadline, reads only
// the atomic ones.
struct PrintJob {
  QString server;  // as the messages name it
  cups_dest_t* dest = nullptr;
  cups_dinfo_t* info = nullptr;
  QString printer;
  Paper paper;  // the job prints on
  QByteArray pdf;
  std::atomic<int> job = 0;            // the server's number for it, once it has one
  std::atomic<bool> accepted = false;  // the spooler holds the whole page
  PrintResult result;
  bool decided = false;  // result holds the outcome
  ~PrintJob() {
    if (info) Cups().freeDestInfo(info);
    if (dest) Cups().freeDests(1, dest);
  }
  const char* uri() const {
    return dest ? Cups().getOption("printer-uri-supported", dest->num_options, dest->options) : nullptr;
  }
  void decide(PrintResult outcome) {
    result = std::move(outcome);
    decided = true;
  }
};

// The page as a PDF in memory, on the job's paper within its margins, drawn
// smaller where it does not fit them.
QByteArray RenderPdf(const PrintoutTexts& texts, const Paper& media) {
  const qreal scale = FitScale(media);
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
  painter.translate(PrintoutOrigin(QSizeF(writer.width(), writer.height()), scale));
  painter.scale(scale, scale);
  PaintPrintout(painter, texts, QPointF(0, 0));
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

// Nothing is printed on paper far too small for the page.
QString TooSmall(const PrintJob& print, http_t* http) {
  const QString text = QStringLiteral("The printer \"%1\" at %2 holds paper of %3, too small for the page.")
                           .arg(print.printer, print.server, Described(print.paper));
  if (const std::optional<Paper> smallest = SmallestPaperThatFits(http, print.dest, print.info))
    return text + QStringLiteral(" The smallest of its papers that takes the page is %1.").arg(Described(*smallest));
  return text + QStringLiteral(" None of its papers takes the page.");
}

// On the worker: the default destination, the paper the job prints on, and
// how the page fits it.
void FindDestination(ServerLink& link, PrintJob& print) {
  const CupsLibrary& cups = Cups();
  if (!link.connect()) return print.decide(Failed(link.fault(), print.server, {}));
  print.dest = cups.getNamedDest(link.http(), nullptr, nullptr);
  if (!print.dest) {
    const std::optional<NamedDefault> named = UserNamedDefault();
    return print.decide(Failed(
        link.fault(), print.server,
        named ? QStringLiteral("The printer \"%1\" that %2 names as the default is not set up at the print server %3.")
                    .arg(named->name, named->where, print.server)
              : QStringLiteral("No default printer is set up at the print server %1. Choose a default printer in the "
                               "system's printer settings, then press Print again.")
                    .arg(print.server)));
  }
  print.printer = QString::fromUtf8(print.dest->name);
  print.info = cups.copyDestInfo(link.http(), print.dest);
  print.paper = ChoosePaper(link.http(), print.dest, print.info);
  if (link.fault() != LinkFault::None) return print.decide(Failed(link.fault(), print.server, {}));
  if (FitScale(print.paper) < kSmallestScale) print.decide(Problem(TooSmall(print, link.http())));
}

// On the worker: hands the page to the spooler as one job. Whether it was
// accepted is the spooler's answer for that job; once the job exists, its
// state on the server decides what the operator is told.
void Submit(ServerLink& link, PrintJob& print) {
  const CupsLibrary& cups = Cups();
  const auto refused = [&](LinkFault fault, const QString& answer, const QString& reason) {
    QString words = QStringLiteral("The printer \"%1\" at %2 did not accept the page: %3.")
                        .arg(print.printer, print.server, answer);
    if (!reason.isEmpty()) words += QStringLiteral(" The reason given: %1.").arg(reason);
    print.decide(Failed(fault, print.server, words));
  };
  link.keepInReserve(kJobLookMs);
  // The user's own defaults for the destination go with the job, as lp sends them.
  int job = 0;
  if (cups.createDestJob(link.http(), print.dest, print.info, &job, kTitle, print.dest->num_options,
                         print.dest->options) > IPP_STATUS_OK_EVENTS_COMPLETE ||
      job <= 0) {
    const LinkFault fault = link.fault();
    const QString answer = link.lastAnswer();
    link.keepInReserve(0);
    return refused(fault, answer, fault == LinkFault::None ? QueueReason(link, print.uri()) : QString());
  }
  print.job = job;
  bool sent = cups.startDestDocument(link.http(), print.dest, print.info, job, kTitle, CUPS_FORMAT_PDF, 0, nullptr,
                                     1) == HTTP_STATUS_CONTINUE;
  sent = sent && cups.writeRequestData(link.http(), print.pdf.constData(), static_cast<size_t>(print.pdf.size())) ==
                     HTTP_STATUS_CONTINUE;
  const ipp_status_t finished =
      sent ? cups.finishDestDocument(link.http(), print.dest, print.info) : IPP_STATUS_ERROR_INTERNAL;
  const LinkFault fault = link.fault();
  const QString answer = link.lastAnswer();
  link.keepInReserve(0);
  if (finished > IPP_STATUS_OK_EVENTS_COMPLETE) {
    // Say nothing of the page before the server has said what it holds:
    // a page it accepted must never be reported as not printed.
    if (fault != LinkFault::None) link.reconnect();
    const JobState state = AskJobState(link, print.uri(), job);
    if (!state.holdsThePage()) {
      // A job without its page would wait on the server for ever.
      if (state.known) CancelJob(link, print.uri(), job);
      return refused(fault, answer, {});
    }
  }
  print.accepted = true;
  const Look look = LookAtJobAndQueue(link, print.uri(), job, print.printer);
  if (look.dropped != LinkFault::None) {
    print.accepted = false;
    return print.decide(Failed(look.dropped, print.server, {}));
  }
  print.decide({true, {}, look.notice});
}

// The window stopped waiting at the deadline.
PrintResult Late(const PrintJob& print) {
  if (print.accepted) return {true, {}, {}};  // only the look after it was cut short
  const int job = print.job;
  if (job <= 0) return Failed(LinkFault::NoAnswer, print.server, {});
  return {false,
          QStringLiteral("The print server %1 stopped answering while it took the page (job %2 at the printer "
                         "\"%3\"). Look at that printer's queue before you print again.")
              .arg(print.server)
              .arg(job)
              .arg(print.printer),
          {}};
}

}  // namespace

PrintResult PrintOnDefaultPrinter(const PrintoutTexts& texts, QWidget* window) {
  if (!Cups().loaded()) return Problem(QStringLiteral("The printing library (libcups) could not be loaded."));
  const BusyCursor busy;
  PrintWorker worker(kBudgetMs, [window](const QString& server, const QString& user, bool again) {
    return AskForCredentials(window, server, user, again);
  });
  auto print = std::make_shared<PrintJob>();
  print->server = PrintWorker::ServerName();
  if (!worker.run([print](ServerLink& link) { FindDestination(link, *print); })) return Late(*print);
  if (print->decided) return print->result;
  print->pdf = RenderPdf(texts, print->paper);
  if (!worker.run([print](ServerLink& link) { Submit(link, *print); })) return Late(*print);
  return print->result;
}

}  // namespace vitayear::ui
