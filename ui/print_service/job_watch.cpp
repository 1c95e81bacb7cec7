#include "job_watch.h"

#include "job_requests.h"

namespace vitayear::ui {

void JobWatch::tell(const QString& text) {
  std::lock_guard lock(mutex);
  messages.push_back(text);
  if (wakeWindow) wakeWindow();
}

std::optional<Credentials> JobWatch::ask(const CredentialsQuestion& question) {
  std::unique_lock lock(mutex);
  if (stop) return std::nullopt;
  asked = question;
  answer.reset();
  if (wakeWindow) wakeWindow();
  changed.wait(lock, [this] { return answer.has_value() || stop; });
  asked.reset();
  std::optional<Credentials> given = stop ? std::nullopt : answer.value_or(std::nullopt);
  answer.reset();
  return given;
}

void JobWatch::setHeld(const QString& printer) {
  std::lock_guard lock(mutex);
  heldFor = printer;
}

bool JobWatch::stopping() {
  std::lock_guard lock(mutex);
  return stop;
}

bool JobWatch::rest(int ms) {
  std::unique_lock lock(mutex);
  return !changed.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stop; });
}

void JobWatch::end() {
  std::lock_guard lock(mutex);
  ended = true;
  heldFor.clear();
  changed.notify_all();
  if (wakeWindow) wakeWindow();
}

namespace {

constexpr int kRoundMs = 10000;  // each look at the job, connecting included
constexpr int kPollMs = 1000;
constexpr int kAwayMs = 5000;  // between tries while the server cannot be reached

enum class Trouble { None, Held, Paused, Unreachable };

// What holds the page back, if anything: the job held, the queue paused,
// the printer out of reach, in the server's, the administrator's or the
// backend's words.
std::pair<Trouble, QString> Holding(const JobState& state, const QueueState& queue, const QString& printer) {
  if (state.state == IPP_JSTATE_HELD) {
    QStringList why = state.reasons;
    why.removeAll(QStringLiteral("none"));
    return {Trouble::Held,
            HeldNotice(printer, why.isEmpty() ? QStringLiteral("job-hold-until-specified") : why.join(u", "))};
  }
  if (queue.state == IPP_PSTATE_STOPPED) return {Trouble::Paused, PausedNotice(printer, queue.message)};
  if (queue.unreachable() || BackendRetrying(state, queue))
    return {Trouble::Unreachable,
            UnreachableNotice(printer, queue.message.isEmpty() ? queue.reasons.join(u", ") : queue.message)};
  return {Trouble::None, {}};
}

enum class Answered { Yes, Unanswerable, End };

// The printer's question for the held job, put to the operator; a wrong
// answer is asked again, up to kCredentialAnswers, then the job cancelled.
Answered AnswerHeld(ServerLink& link, const WatchedJob& job, JobWatch& watch, int& answers, QString& user) {
  const char* uri = job.uri.constData();
  const QStringList asked = CredentialsAskedFor(link, uri);
  if (asked.isEmpty()) return Answered::Unanswerable;
  if (answers == kCredentialAnswers) {  // held for ever otherwise
    CancelJob(link, uri, job.job);
    watch.tell(Failed(LinkFault::CredentialsRefused, job.server, {}).problem);
    return Answered::End;
  }
  watch.setHeld(job.printer);
  const std::optional<Credentials> given = watch.ask({job.server, job.printer, user, answers++ > 0});
  watch.setHeld({});
  if (watch.stopping()) return Answered::End;
  link.renew(kRoundMs);
  if (!given) {
    CancelJob(link, uri, job.job);
    watch.tell(Failed(LinkFault::CredentialsCancelled, job.server, {}).problem);
    return Answered::End;
  }
  user = given->user;
  Authenticate(link, uri, job.job, asked, *given);
  return Answered::Yes;
}

}  // namespace

void WatchJob(ServerLink& link, const WatchedJob& job, JobWatch& watch) {
  const char* uri = job.uri.constData();
  Trouble said = Trouble::None;
  int answers = 0;
  QString user = QString::fromUtf8(link.user);
  while (!watch.stopping()) {
    link.renew(kRoundMs);
    const JobState state = link.http || link.connect() ? AskJobState(link, uri, job.job) : JobState{};
    if (!state.known) {
      if (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND || !watch.rest(kAwayMs)) break;  // the job is gone
      link.renew(kRoundMs);
      link.reconnect();
      continue;
    }
    if (state.state >= IPP_JSTATE_CANCELED) break;  // printed, cancelled or aborted
    if (state.heldForCredentials()) {
      const Answered answered = AnswerHeld(link, job, watch, answers, user);
      if (answered == Answered::End) break;
      if (answered == Answered::Yes) {
        said = Trouble::None;
        continue;
      }
    }
    const QueueState queue = AskQueue(link, uri);
    const auto [trouble, notice] = Holding(state, queue, job.printer);
    if (trouble != Trouble::None && trouble != said) watch.tell(notice);
    said = trouble;
    if (!watch.rest(kPollMs)) break;
  }
  bool cancel = false;
  {
    std::lock_guard lock(watch.mutex);
    cancel = watch.cancelHeld;
  }
  link.renew(kRoundMs);
  if (cancel) CancelJob(link, uri, job.job);
}

}  // namespace vitayear::ui
