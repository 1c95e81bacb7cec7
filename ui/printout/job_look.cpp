#include "job_look.h"

#include <chrono>
#include <thread>
#include <vector>

namespace vitayear::ui {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto kPoll = 250ms;
// A job that has been processing this long while its printer's backend
// speaks of neither connecting nor trouble is being printed.
constexpr auto kQuiet = 2s;
// The watch ends this long before the deadline, so that what it found
// still reaches the window.
constexpr double kAnswerMargin = 0.6;

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

// A request about a job (job > 0) or a queue, as the printing user.
ipp_t* Request(ipp_op_t operation, const char* printerUri, int job) {
  const CupsLibrary& cups = Cups();
  ipp_t* request = cups.newRequest(operation);
  cups.addString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, printerUri);
  if (job > 0) cups.addInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
  cups.addString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cups.user());
  return request;
}

// Sends it; no answer when the server refused it.
Answer Send(ServerLink& link, ipp_t* request, const char* resource) {
  const CupsLibrary& cups = Cups();
  Answer answer;
  answer.ipp = cups.doRequest(link.http(), request, resource);  // frees the request
  if (answer.ipp && cups.lastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
    cups.deleteIpp(answer.ipp);
    answer.ipp = nullptr;
  }
  return answer;
}

Answer Ask(ServerLink& link, const char* printerUri, int job, std::initializer_list<const char*> wanted) {
  if (!link.http() || !printerUri) return {};
  ipp_t* request = Request(job > 0 ? IPP_OP_GET_JOB_ATTRIBUTES : IPP_OP_GET_PRINTER_ATTRIBUTES, printerUri, job);
  Cups().addStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                    static_cast<int>(wanted.size()), nullptr, wanted.begin());
  return Send(link, request, "/");
}

// The job waits for credentials its printer asks for.
bool HeldForCredentials(const JobState& state) {
  return state.known && state.state == IPP_JSTATE_HELD &&
         state.reasons.contains(QStringLiteral("cups-held-for-authentication"));
}

// What the queue's backend asks for, when the operator can answer it: a user
// name and a password (not a Kerberos ticket, not a domain of its own).
QStringList CredentialsAskedFor(ServerLink& link, const char* printerUri) {
  const QStringList asked = Ask(link, printerUri, 0, {"auth-info-required"}).texts("auth-info-required");
  for (const QString& kind : asked)
    if (kind != QStringLiteral("username") && kind != QStringLiteral("password")) return {};
  return asked;
}

// Hands the credentials to the spooler for the held job, which releases it.
bool Authenticate(ServerLink& link, const char* printerUri, int job, const QStringList& asked,
                  const Credentials& given) {
  std::vector<QByteArray> values;
  for (const QString& kind : asked)
    values.push_back((kind == QStringLiteral("username") ? given.user : given.password).toUtf8());
  std::vector<const char*> texts;
  for (const QByteArray& value : values) texts.push_back(value.constData());
  ipp_t* request = Request(IPP_OP_CUPS_AUTHENTICATE_JOB, printerUri, job);
  Cups().addStrings(request, IPP_TAG_OPERATION, IPP_TAG_TEXT, "auth-info", static_cast<int>(texts.size()), nullptr,
                    texts.data());
  return Send(link, request, "/jobs/").ipp != nullptr;
}

// A queue that asks for credentials holds the job only once its backend has
// tried, so the job is watched until it prints, or is held and answered, as
// often as the operator may answer. `state` ends as the job's last state.
LinkFault WatchForCredentials(ServerLink& link, const char* printerUri, int job, JobState& state) {
  const QStringList asked = CredentialsAskedFor(link, printerUri);
  if (asked.isEmpty()) return LinkFault::None;
  int answers = 0;
  QString user = QString::fromUtf8(Cups().user());
  while (state.known &&
         (state.state == IPP_JSTATE_PENDING || state.state == IPP_JSTATE_PROCESSING || HeldForCredentials(state)) &&
         !link.expired()) {
    if (HeldForCredentials(state)) {
      // Held for ever otherwise: nobody else is there to answer.
      if (answers == kCredentialAnswers) {
        CancelJob(link, printerUri, job);
        return LinkFault::CredentialsRefused;
      }
      const std::optional<Credentials> given = link.askOperator(user, answers++ > 0);
      if (!given && link.expired()) break;  // the window no longer waits: the page stays
      if (!given) {
        CancelJob(link, printerUri, job);
        return LinkFault::CredentialsCancelled;
      }
      user = given->user;
      if (!Authenticate(link, printerUri, job, asked, *given)) break;
    } else {
      std::this_thread::sleep_for(100ms);
    }
    state = AskJobState(link, printerUri, job);
  }
  return LinkFault::None;
}

// The job is held at the server, for the reasons it gives.
QString Held(const JobState& state, const QString& printer) {
  QStringList why = state.reasons;
  why.removeAll(QStringLiteral("none"));
  return QStringLiteral(
             "The page is waiting at the printer \"%1\": the print server holds it (%2). It prints once "
             "the job is released.")
      .arg(printer, why.isEmpty() ? QStringLiteral("job-hold-until-specified") : why.join(QStringLiteral(", ")));
}

struct QueueState {
  bool known = false;
  int state = 0;    // IPP printer-state (ipp_pstate_t)
  QString message;  // the backend's or the administrator's words, without a closing stop
  QStringList reasons;

  // The device cannot be reached: the backend keeps trying and says so in
  // its reasons (offline-report, or an error of the device), which read
  // the same in every language. Backends that give no reason (socket, and
  // ipp where the connection is refused) are known by CUPS's own words for
  // it, in the language of the job: the backend speaks the job's language,
  // which is the operator's. "Connecting to printer" and the like are no news.
  bool unreachable() const {
    for (const QString& reason : reasons)
      if (reason.startsWith(QStringLiteral("offline")) || reason.endsWith(QStringLiteral("-error"))) return true;
    static const char* const kWords[] = {"The printer may not exist or is unavailable at this time.",
                                         "The printer is unreachable at this time.", "The printer is not responding.",
                                         "The printer is not connected.", "Unable to locate printer"};
    const CupsLibrary& cups = Cups();
    cups_lang_t* language = cups.langDefault && cups.langString ? cups.langDefault() : nullptr;
    for (const char* words : kWords) {
      if (message.contains(WithoutClosingStop(QString::fromUtf8(words)))) return true;
      if (language && message.contains(WithoutClosingStop(QString::fromUtf8(cups.langString(language, words)))))
        return true;
    }
    return false;
  }
};

QueueState AskQueue(ServerLink& link, const char* printerUri) {
  const Answer answer = Ask(link, printerUri, 0, {"printer-state", "printer-state-message", "printer-state-reasons"});
  QueueState queue;
  queue.known = answer.ipp != nullptr;
  queue.state = answer.number("printer-state");
  const QStringList message = answer.texts("printer-state-message");
  if (!message.isEmpty()) queue.message = WithoutClosingStop(message.first());
  queue.reasons = answer.texts("printer-state-reasons");
  queue.reasons.removeAll(QStringLiteral("none"));
  return queue;
}

}  // namespace

bool JobState::holdsThePage() const {
  if (!known || state < IPP_JSTATE_PENDING || state > IPP_JSTATE_COMPLETED || state == IPP_JSTATE_CANCELED ||
      state == IPP_JSTATE_ABORTED)
    return false;
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

void CancelJob(ServerLink& link, const char* printerUri, int job) {
  if (link.http() && printerUri) Send(link, Request(IPP_OP_CANCEL_JOB, printerUri, job), "/jobs/");
}

QString QueueReason(ServerLink& link, const char* printerUri) {
  const Answer answer = Ask(link, printerUri, 0, {"printer-state-message"});
  const QStringList message = answer.texts("printer-state-message");
  return message.isEmpty() ? QString() : WithoutClosingStop(message.first());
}

Look LookAtJobAndQueue(ServerLink& link, const char* printerUri, int job, const QString& printer) {
  JobState state = AskJobState(link, printerUri, job);
  if (const LinkFault dropped = WatchForCredentials(link, printerUri, job, state); dropped != LinkFault::None)
    return {{}, dropped};
  constexpr Clock::time_point kNotQuiet = Clock::time_point::max();
  Clock::time_point quietSince = kNotQuiet;
  for (;;) {
    if (state.known && state.state == IPP_JSTATE_HELD) return {Held(state, printer)};
    const QueueState queue = AskQueue(link, printerUri);
    if (!queue.known) return {};
    if (queue.state == IPP_PSTATE_STOPPED)
      return {QStringLiteral("The page is waiting at the printer \"%1\", which is paused%2. It prints once the printer "
                             "is resumed.")
                  .arg(printer, queue.message.isEmpty() ? QString() : QStringLiteral(": ") + queue.message)};
    // Printed, cancelled or aborted: nothing waits.
    if (!state.known || state.state >= IPP_JSTATE_CANCELED) return {};
    if (queue.unreachable())
      return {QStringLiteral("The page is waiting at the printer \"%1\", which reports: %2. It prints once the printer "
                             "can be reached.")
                  .arg(printer, queue.message.isEmpty() ? queue.reasons.join(QStringLiteral(", ")) : queue.message)};
    // Until the backend speaks, the job is still in the filters: a device
    // that is off is found out only by the backend. A job that waits behind
    // another one the printer is printing prints after it.
    const bool underWay = state.state == IPP_JSTATE_PROCESSING ||
                          (state.state == IPP_JSTATE_PENDING && queue.state == IPP_PSTATE_PROCESSING);
    const bool quiet =
        underWay && !queue.message.isEmpty() && !queue.reasons.contains(QStringLiteral("connecting-to-device"));
    if (!quiet)
      quietSince = kNotQuiet;
    else if (quietSince == kNotQuiet)
      quietSince = Clock::now();
    if (quietSince != kNotQuiet && Clock::now() - quietSince >= kQuiet) return {};  // it prints
    if (link.secondsLeft() < kAnswerMargin + std::chrono::duration<double>(kPoll).count()) return {};
    std::this_thread::sleep_for(kPoll);
    state = AskJobState(link, printerUri, job);
  }
}

}  // namespace vitayear::ui
