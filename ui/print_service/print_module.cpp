// The print module: one print, from the default printer to the hand-over,
// and the watch over its job from then on.
#include <atomic>
#include <memory>

#include "job_requests.h"
#include "job_watch.h"
#include "paper.h"
#include "print_page.h"
#include "print_worker.h"

namespace vitayear::ui {
namespace {

// Shared with the worker, which may outlive the window's wait: while it
// hands the page over, the window's thread reads only the atomic fields.
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

// The default printer, the paper the job prints on, and how the page fits
// it; an outcome only when nothing can be printed.
std::optional<PrintResult> FindDestination(ServerLink& link, PrintJob& print) {
  if (!link.connect()) return Failed(link.fault(), print.server, {});
  print.printer.dest = cupsGetNamedDest(link.http, nullptr, nullptr);
  if (!print.printer.dest) return Failed(link.fault(), print.server, NoDefaultPrinter(print.server));
  print.name = QString::fromUtf8(print.printer.dest->name);
  print.printer.info = cupsCopyDestInfo(link.http, print.printer.dest);
  print.paper = ChoosePaper(link, print.printer);
  if (link.fault() != LinkFault::None) return Failed(link.fault(), print.server, {});
  if (PaperFitScale(print.paper) >= kSmallestPaperScale) return std::nullopt;
  const std::optional<Paper> smallest = SmallestPaperThatFits(link, print.printer);
  return TooSmall(print.name, print.server, Described(print.paper), smallest ? Described(*smallest) : QString());
}

// The page as one job, the user's own defaults for the printer with it, as
// lp sends them: the server's status once it has the whole page.
ipp_status_t SendPage(ServerLink& link, PrintJob& print) {
  const Destination& to = print.printer;
  int job = 0;
  if (cupsCreateDestJob(link.http, to.dest, to.info, &job, kDocumentTitle, to.dest->num_options, to.dest->options) >
          IPP_STATUS_OK_EVENTS_COMPLETE ||
      job <= 0)
    return IPP_STATUS_ERROR_INTERNAL;
  print.job = job;
  bool sent = cupsStartDestDocument(link.http, to.dest, to.info, job, kDocumentTitle, CUPS_FORMAT_PDF, 0, nullptr, 1) ==
              HTTP_STATUS_CONTINUE;
  sent = sent && cupsWriteRequestData(link.http, print.pdf.constData(), static_cast<size_t>(print.pdf.size())) ==
                     HTTP_STATUS_CONTINUE;
  return sent ? cupsFinishDestDocument(link.http, to.dest, to.info) : IPP_STATUS_ERROR_INTERNAL;
}

// Once the job exists, its state on the server decides what the operator is
// told: a page the server holds is never reported as not printed.
PrintResult Submit(ServerLink& link, PrintJob& print) {
  const ipp_status_t finished = SendPage(link, print);
  const LinkFault fault = link.fault();
  const QString answer = link.lastAnswer();
  const char* uri = print.printer.uri();
  if (print.job <= 0)
    return Refused(fault, print.name, print.server, answer,
                   fault == LinkFault::None ? QueueReason(link, uri) : QString());
  if (finished > IPP_STATUS_OK_EVENTS_COMPLETE) {
    if (fault != LinkFault::None) link.reconnect();
    const JobState state = AskJobState(link, uri, print.job);
    if (!state.holdsThePage()) {
      // A job without its page would wait on the server for ever.
      if (state.known) CancelJob(link, uri, print.job);
      return Refused(fault, print.name, print.server, answer, {});
    }
  }
  print.accepted = true;
  return {true, {}, {}};
}

// From the hand-over on, on a connection of its own, with the password the
// operator gave for the page, if any.
void StartWatch(const PrintWorker& worker, const PrintJob& print, std::shared_ptr<JobWatch> watch) {
  auto link = std::make_shared<ServerLink>(0);
  link->host = worker.link().host;
  link->port = worker.link().port;
  link->encryption = worker.link().encryption;
  {
    std::lock_guard lock(worker.link().mutex);
    link->answerWith(worker.link().user, worker.link().password);
  }
  const char* uri = print.printer.uri();
  WatchJob(std::move(link), {print.server, print.name, uri ? QByteArray(uri) : QByteArray(), print.job},
           std::move(watch));
}

// At the deadline: the page not (all) taken, or taken just then (its job is
// then not watched: the worker that holds it may still be finishing).
PrintResult Cut(const PrintJob& print, LinkFault fault) {
  if (print.accepted) return {true, {}, {}};
  const int job = print.job;  // the printer's name is the worker's until a job exists
  return Late(fault, print.server, job, job > 0 ? print.name : QString());
}

}  // namespace

// Exported by the name kPrintEntry gives.
extern "C" Q_DECL_EXPORT void vitayear_print_page(const PrintCall& call, PrintResult& result) {
  PrintWorker worker(call.boundMs, call.prompt);
  auto print = std::make_shared<PrintJob>();
  print->server = worker.serverName();
  if (!worker.run([print](ServerLink& link) { print->result = FindDestination(link, *print); }))
    return void(result = Cut(*print, worker.lateFault()));
  if (print->result) return void(result = *print->result);
  print->pdf = PagePdf(*call.texts, print->paper);
  if (!worker.run([print](ServerLink& link) { print->result = Submit(link, *print); }))
    return void(result = Cut(*print, worker.lateFault()));
  result = print->result.value_or(Failed(LinkFault::NoAnswer, print->server, {}));
  if (result.ok && call.watch) StartWatch(worker, *print, call.watch);
}

}  // namespace vitayear::ui
