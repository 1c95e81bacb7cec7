// The flow of one print, from the default printer to the job's last word.
#include "print_module.h"

#include <QtGlobal>
#include <atomic>
#include <memory>

#include "job_requests.h"
#include "job_watch.h"
#include "page_pdf.h"
#include "paper.h"
#include "print_worker.h"

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
  Destination printer;
  QString name;  // the printer's
  Paper paper;   // the job prints on
  QByteArray pdf;
  std::atomic<int> job = 0;            // the server's number for it, once it has one
  std::atomic<bool> accepted = false;  // the spooler holds the whole page
  std::optional<PrintResult> result;   // once decided
};

// On the worker: the default destination, the paper the job prints on, and
// how the page fits it; an outcome only when nothing can be printed.
std::optional<PrintResult> FindDestination(ServerLink& link, PrintJob& print) {
  if (!link.connect()) return Failed(link.fault(), print.server, {});
  print.printer.dest = cupsGetNamedDest(link.http(), nullptr, nullptr);
  if (!print.printer.dest) return Failed(link.fault(), print.server, NoDefaultPrinter(print.server));
  print.name = QString::fromUtf8(print.printer.dest->name);
  print.printer.info = cupsCopyDestInfo(link.http(), print.printer.dest);
  print.paper = ChoosePaper(link, print.printer);
  if (link.fault() != LinkFault::None) return Failed(link.fault(), print.server, {});
  if (PaperFitScale(print.paper) >= kSmallestPaperScale) return std::nullopt;
  const std::optional<Paper> smallest = SmallestPaperThatFits(link, print.printer);
  return TooSmall(print.name, print.server, Described(print.paper), smallest ? Described(*smallest) : QString());
}

// A job for the page; false, the outcome decided, when the server made none.
bool CreateJob(ServerLink& link, PrintJob& print) {
  // The user's own defaults for the destination go with the job, as lp sends them.
  int job = 0;
  cups_dest_t* dest = print.printer.dest;
  if (cupsCreateDestJob(link.http(), dest, print.printer.info, &job, kDocumentTitle, dest->num_options,
                        dest->options) <= IPP_STATUS_OK_EVENTS_COMPLETE &&
      job > 0) {
    print.job = job;
    return true;
  }
  const LinkFault fault = link.fault();
  const QString answer = link.lastAnswer();
  link.keepInReserve(0);
  const QString reason = fault == LinkFault::None ? QueueReason(link, print.printer.uri()) : QString();
  print.result = Refused(fault, print.name, print.server, answer, reason);
  return false;
}

// The page into the job: the server's status once it has the whole of it.
ipp_status_t SendPage(ServerLink& link, const PrintJob& print) {
  const Destination& to = print.printer;
  bool sent = cupsStartDestDocument(link.http(), to.dest, to.info, print.job, kDocumentTitle, CUPS_FORMAT_PDF, 0,
                                    nullptr, 1) == HTTP_STATUS_CONTINUE;
  sent = sent && cupsWriteRequestData(link.http(), print.pdf.constData(), static_cast<size_t>(print.pdf.size())) ==
                     HTTP_STATUS_CONTINUE;
  return sent ? cupsFinishDestDocument(link.http(), to.dest, to.info) : IPP_STATUS_ERROR_INTERNAL;
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
    const JobState state = AskJobState(link, print.printer.uri(), print.job);
    if (!state.holdsThePage()) {
      // A job without its page would wait on the server for ever.
      if (state.known) CancelJob(link, print.printer.uri(), print.job);
      print.result = Refused(fault, print.name, print.server, answer, {});
      return;
    }
  }
  print.accepted = true;
  const Look look = LookAtJobAndQueue(link, print.printer.uri(), print.job, print.name);
  print.accepted = look.dropped == LinkFault::None;
  print.result = print.accepted ? PrintResult{true, {}, look.notice} : Failed(look.dropped, print.server, {});
}

// The window stopped waiting at the deadline: only the look after the
// hand-over may have been cut short, or the page was half taken.
PrintResult Cut(const PrintJob& print) {
  if (print.accepted) return {true, {}, {}};
  // The printer's name is the worker's until a job exists.
  const int job = print.job;
  return Late(print.server, job, job > 0 ? print.name : QString());
}

}  // namespace

// Exported by the name kPrintEntry gives.
extern "C" Q_DECL_EXPORT void vitayear_print_page(const PrintCall& call, PrintResult& result) {
  PrintWorker worker(call.boundMs, call.prompt);
  auto print = std::make_shared<PrintJob>();
  print->server = PrintWorker::ServerName();
  if (!worker.run([print](ServerLink& link) { print->result = FindDestination(link, *print); }))
    return void(result = Cut(*print));
  if (print->result) return void(result = *print->result);
  print->pdf = PagePdf(*call.texts, print->paper);
  if (!worker.run([print](ServerLink& link) { Submit(link, *print); })) return void(result = Cut(*print));
  result = print->result.value_or(Failed(LinkFault::NoAnswer, print->server, {}));
}

}  // namespace vitayear::ui
