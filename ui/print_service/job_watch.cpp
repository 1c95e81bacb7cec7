#include "job_watch.h"

#include <thread>
#include <vector>

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

void JobWatch::end() {
  std::lock_guard lock(mutex);
  ended = true;
  heldFor.clear();
  changed.notify_all();
  if (wakeWindow) wakeWindow();
}

namespace {

constexpr int kRoundMs = 10000;  // each look at the job, connecting included
// A look a second at first, when a password is asked for or a printer found
// off; a page that waits longer is looked at less often, still within 10 s.
// The connection is not kept between looks: a spooler serves a hundred
// clients at most, and a paused queue may hold that many pages of ours.
constexpr int kPollMs = 1000;
constexpr int kSlowPollMs = 5000;
constexpr auto kFastWhile = std::chrono::seconds(30);
constexpr int kAwayMs = 5000;  // between tries while the server cannot be reached

enum class Trouble { None, Held, Paused, Unreachable };

// A fresh bounded round at the job's server, connected; false when it cannot
// be reached.
bool Reach(ServerLink& link) {
  link.enterWorkerThread();  // this job's server and user
  link.renew(kRoundMs);
  return link.http || link.connect();
}

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

// One job's watch: what it has said and asked so far, and when it looks next.
struct Watched {
  std::shared_ptr<ServerLink> link;
  WatchedJob job;
  std::shared_ptr<JobWatch> watch;
  Trouble said = Trouble::None;
  int answers = 0;
  QString user;
  Clock::time_point since = Clock::now(), next = since;

  // One look at the job; false once there is nothing more to watch.
  bool look() {
    ServerLink& l = *link;
    const char* uri = job.uri.constData();
    const JobState state = Reach(l) ? AskJobState(l, uri, job.job) : JobState{};
    if (!state.known) {
      l.hangUp();
      next = Clock::now() + std::chrono::milliseconds(kAwayMs);
      return cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND;  // else the job is gone
    }
    if (state.state >= IPP_JSTATE_CANCELED) return false;  // printed, cancelled or aborted
    if (state.heldForCredentials()) {
      const Answered answered = AnswerHeld(l, job, *watch, answers, user);
      if (answered == Answered::End) return false;
      if (answered == Answered::Yes) {
        said = Trouble::None;
        next = Clock::now();
        return true;
      }
    }
    const QueueState queue = AskQueue(l, uri);
    const auto [trouble, notice] = Holding(state, queue, job.printer);
    if (trouble != Trouble::None && trouble != said) watch->tell(notice);
    said = trouble;
    l.hangUp();
    next = Clock::now() + std::chrono::milliseconds(Clock::now() - since < kFastWhile ? kPollMs : kSlowPollMs);
    return true;
  }

  // The page cancelled where the window asked for it, and the window told.
  void finish() {
    bool cancel = false;
    {
      std::lock_guard lock(watch->mutex);
      cancel = watch->cancelHeld;
    }
    if (cancel && Reach(*link)) CancelJob(*link, job.uri.constData(), job.job);
    link->hangUp();
    watch->end();
  }
};

// The module's watch thread and the jobs it watches.
class Watcher {
 public:
  // Made once and never destroyed: its thread runs until the process ends.
  static Watcher& Instance() {
    static Watcher* watcher = new Watcher;
    return *watcher;
  }

  void add(Watched watched) {
    {
      std::lock_guard lock(mutex_);
      incoming_.push_back(std::move(watched));
    }
    wake();
  }

  void wake() {
    std::lock_guard lock(mutex_);
    woken_ = true;
    wake_.notify_one();
  }

 private:
  Watcher() {
    std::thread([this] { run(); }).detach();
  }

  // A job's watch mutex is never taken under this one's: the window takes
  // them the other way round.
  void run() {
    std::vector<Watched> watched;
    for (;;) {
      {
        std::unique_lock lock(mutex_);
        if (watched.empty()) {
          wake_.wait(lock, [this] { return woken_; });
        } else {
          auto next = watched.front().next;
          for (const Watched& w : watched) next = std::min(next, w.next);
          wake_.wait_until(lock, next, [this] { return woken_; });
        }
        woken_ = false;
        for (Watched& w : incoming_) watched.push_back(std::move(w));
        incoming_.clear();
      }
      std::erase_if(watched, [](Watched& w) {
        const bool over = w.watch->stopping() || (w.next <= Clock::now() && !w.look());
        if (over) w.finish();
        return over;
      });
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  bool woken_ = false;
  std::vector<Watched> incoming_;
};

}  // namespace

void WatchJob(std::shared_ptr<ServerLink> link, WatchedJob job, std::shared_ptr<JobWatch> watch) {
  {
    std::lock_guard lock(watch->mutex);
    watch->wakeWatch = [] { Watcher::Instance().wake(); };
  }
  const QString user = QString::fromUtf8(link->user);
  Watcher::Instance().add({std::move(link), std::move(job), std::move(watch), Trouble::None, 0, user});
}

}  // namespace vitayear::ui
