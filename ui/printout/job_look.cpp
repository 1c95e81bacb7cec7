#include "job_look.h"

#include <memory>

namespace vitayear::ui {
namespace {

constexpr int kHeld = 4;     // IPP_JSTATE_HELD
constexpr int kStopped = 5;  // IPP_PSTATE_STOPPED
constexpr int kCompleted = 9;

struct Answer {
  ipp_t* ipp = nullptr;
  ~Answer() {
    if (ipp) Cups().deleteIpp(ipp);
  }
  int number(const char* name) const {
    ipp_attribute_t* a = ipp ? Cups().findAttribute(ipp, name, IPP_TAG_ZERO) : nullptr;
    return a ? Cups().getInteger(a, 0) : -1;
  }
  QStringList texts(const char* name) const {
    QStringList all;
    ipp_attribute_t* a = ipp ? Cups().findAttribute(ipp, name, IPP_TAG_ZERO) : nullptr;
    for (int i = 0; a && i < Cups().getCount(a); ++i)
      if (const char* text = Cups().getString(a, i, nullptr)) all.append(QString::fromUtf8(text));
    return all;
  }
};

// One request about a job (job > 0) or a queue, as the printing user.
Answer Ask(ServerLink& link, const char* printerUri, int job, std::initializer_list<const char*> wanted) {
  const CupsLibrary& cups = Cups();
  Answer answer;
  if (!link.http() || !printerUri) return answer;
  ipp_t* request = cups.newRequest(job > 0 ? IPP_OP_GET_JOB_ATTRIBUTES : IPP_OP_GET_PRINTER_ATTRIBUTES);
  cups.addString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, printerUri);
  if (job > 0) cups.addInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
  cups.addString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cups.user());
  cups.addStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", static_cast<int>(wanted.size()),
                  nullptr, wanted.begin());
  answer.ipp = cups.doRequest(link.http(), request, "/");  // frees the request
  if (answer.ipp && cups.lastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
    cups.deleteIpp(answer.ipp);
    answer.ipp = nullptr;
  }
  return answer;
}

QString WithoutStop(QString text) {
  text = text.trimmed();
  while (text.endsWith(u'.')) text.chop(1);
  return text;
}

}  // namespace

bool JobState::holdsThePage() const {
  if (!known || state < 3 || state > kCompleted || state == 7 || state == 8) return false;  // canceled, aborted
  if (documents >= 0) return documents > 0;
  return !reasons.contains(QStringLiteral("job-incoming"));
}

JobState AskJobState(ServerLink& link, const char* printerUri, int job) {
  const Answer answer = Ask(link, printerUri, job, {"job-state", "job-state-reasons", "number-of-documents"});
  JobState state;
  state.known = answer.ipp != nullptr;
  state.state = answer.number("job-state");
  state.reasons = answer.texts("job-state-reasons");
  state.documents = answer.number("number-of-documents");
  return state;
}

QString QueueReason(ServerLink& link, const char* printerUri) {
  const Answer answer = Ask(link, printerUri, 0, {"printer-state-message"});
  const QStringList message = answer.texts("printer-state-message");
  return message.isEmpty() ? QString() : WithoutStop(message.first());
}

QString LookAtJobAndQueue(ServerLink& link, const char* printerUri, int job, const QString& printer) {
  const JobState state = AskJobState(link, printerUri, job);
  if (state.known && state.state == kHeld) {
    QStringList why = state.reasons;
    why.removeAll(QStringLiteral("none"));
    return QStringLiteral(
               "The page is waiting at the printer \"%1\": the print server holds it (%2). It prints once "
               "the job is released.")
        .arg(printer, why.isEmpty() ? QStringLiteral("job-hold-until-specified") : why.join(QStringLiteral(", ")));
  }
  const Answer queue = Ask(link, printerUri, 0, {"printer-state", "printer-state-message", "printer-state-reasons"});
  if (!queue.ipp) return {};
  const QStringList message = queue.texts("printer-state-message");
  const QString said = message.isEmpty() ? QString() : WithoutStop(message.first());
  if (queue.number("printer-state") == kStopped)
    return QStringLiteral(
               "The page is waiting at the printer \"%1\", which is paused%2. It prints once the printer is "
               "resumed.")
        .arg(printer, said.isEmpty() ? QString() : QStringLiteral(": ") + said);
  if (state.state == kCompleted || said.isEmpty()) return {};
  // A device that cannot be reached: the backend keeps trying and says so,
  // in a reason or in one of CUPS's own words for it; "Connecting to
  // printer" and the like are no news.
  static const char* const kUnreachable[] = {"may not exist or is unavailable", "is unreachable", "is not responding",
                                             "is not connected", "Unable to locate printer"};
  bool unreachable = false;
  for (const char* words : kUnreachable) unreachable = unreachable || said.contains(QLatin1String(words));
  for (const QString& reason : queue.texts("printer-state-reasons"))
    unreachable = unreachable || reason.startsWith(QStringLiteral("offline")) ||
                  reason.endsWith(QStringLiteral("-error")) || reason.endsWith(QStringLiteral("-warning"));
  if (unreachable)
    return QStringLiteral(
               "The page is waiting at the printer \"%1\", which reports: %2. It prints once the printer "
               "can be reached.")
        .arg(printer, said);
  return {};
}

}  // namespace vitayear::ui
