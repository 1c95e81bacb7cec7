#include "print_page.h"

#include <QCursor>
#include <QGuiApplication>
#include <atomic>
#include <memory>
#include <optional>

#include "credentials_dialog.h"
#include "job_look.h"
#include "job_state.h"
#include "named_default.h"
#include "page_pdf.h"
#include "paper_choice.h"
#include "print_messages.h"
#include "print_worker.h"
#include "queue_state.h"
#include "server_link.h"

namespace vitayear::ui {
namespace {

// Kept back from the page's upload for a last word about its job.
constexpr int kJobLookMs = 1500;

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
  if (PaperFitScale(print.paper) < kSmallestPaperScale) print.decide(Problem(TooSmall(print, link.http())));
}

// The printer did not take the page, in the server's answer and, where it
// gives one, the administrator's reason.
void Refused(PrintJob& print, LinkFault fault, const QString& answer, const QString& reason) {
  QString words =
      QStringLiteral("The printer \"%1\" at %2 did not accept the page: %3.").arg(print.printer, print.server, answer);
  if (!reason.isEmpty()) words += QStringLiteral(" The reason given: %1.").arg(reason);
  print.decide(Failed(fault, print.server, words));
}

// A job for the page; false, the outcome decided, when the server made none.
bool CreateJob(ServerLink& link, PrintJob& print) {
  // The user's own defaults for the destination go with the job, as lp sends them.
  int job = 0;
  if (Cups().createDestJob(link.http(), print.dest, print.info, &job, kDocumentTitle, print.dest->num_options,
                           print.dest->options) <= IPP_STATUS_OK_EVENTS_COMPLETE &&
      job > 0) {
    print.job = job;
    return true;
  }
  const LinkFault fault = link.fault();
  const QString answer = link.lastAnswer();
  link.keepInReserve(0);
  Refused(print, fault, answer, fault == LinkFault::None ? QueueReason(link, print.uri()) : QString());
  return false;
}

// The page into the job: the server's status once it has the whole of it.
ipp_status_t SendPage(ServerLink& link, const PrintJob& print) {
  const CupsLibrary& cups = Cups();
  bool sent = cups.startDestDocument(link.http(), print.dest, print.info, print.job, kDocumentTitle, CUPS_FORMAT_PDF, 0,
                                     nullptr, 1) == HTTP_STATUS_CONTINUE;
  sent = sent && cups.writeRequestData(link.http(), print.pdf.constData(), static_cast<size_t>(print.pdf.size())) ==
                     HTTP_STATUS_CONTINUE;
  return sent ? cups.finishDestDocument(link.http(), print.dest, print.info) : IPP_STATUS_ERROR_INTERNAL;
}

// On the worker: hands the page to the spooler as one job. Whether it was
// accepted is the spooler's answer for that job; once the job exists, its
// state on the server decides what the operator is told.
void Submit(ServerLink& link, PrintJob& print) {
  link.keepInReserve(kJobLookMs);
  if (!CreateJob(link, print)) return;
  const ipp_status_t finished = SendPage(link, print);
  const LinkFault fault = link.fault();
  const QString answer = link.lastAnswer();
  link.keepInReserve(0);
  if (finished > IPP_STATUS_OK_EVENTS_COMPLETE) {
    // Say nothing of the page before the server has said what it holds:
    // a page it accepted must never be reported as not printed.
    if (fault != LinkFault::None) link.reconnect();
    const JobState state = AskJobState(link, print.uri(), print.job);
    if (!state.holdsThePage()) {
      // A job without its page would wait on the server for ever.
      if (state.known) CancelJob(link, print.uri(), print.job);
      return Refused(print, fault, answer, {});
    }
  }
  print.accepted = true;
  const Look look = LookAtJobAndQueue(link, print.uri(), print.job, print.printer);
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

PrintResult PrintOnDefaultPrinter(const PrintoutTexts& texts, QWidget* window, int boundMs) {
  if (!Cups().loaded()) return Problem(QStringLiteral("The printing library (libcups) could not be loaded."));
  const BusyCursor busy;
  PrintWorker worker(boundMs, [window](const QString& server, const QString& user, bool again) {
    return AskForCredentials(window, server, user, again);
  });
  auto print = std::make_shared<PrintJob>();
  print->server = PrintWorker::ServerName();
  if (!worker.run([print](ServerLink& link) { FindDestination(link, *print); })) return Late(*print);
  if (print->decided) return print->result;
  print->pdf = PagePdf(texts, print->paper);
  if (!worker.run([print](ServerLink& link) { Submit(link, *print); })) return Late(*print);
  return print->result;
}

}  // namespace vitayear::ui
