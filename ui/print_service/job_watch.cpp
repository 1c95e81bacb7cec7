#include "job_watch.h"

#include <thread>

#include "job_requests.h"

namespace vitayear::ui {
namespace {

using namespace std::chrono_literals;

constexpr auto kQuiet = 2s;            // processing, the backend speaking of no trouble: it prints
constexpr double kAnswerMargin = 0.6;  // before the deadline, for what it found to reach the window

// A queue that asks for a password holds the job only once its backend has
// tried: the job is watched until it prints, or is held and answered.
// `state` ends as the job's last; the fault is why it was cancelled.
LinkFault WatchForCredentials(ServerLink& link, const char* printerUri, int job, JobState& state) {
  const QStringList asked = CredentialsAskedFor(link, printerUri);
  int answers = 0;
  QString user = QString::fromUtf8(cupsUser());
  while (!asked.isEmpty() && state.known && !link.expired() &&
         (state.state == IPP_JSTATE_PENDING || state.state == IPP_JSTATE_PROCESSING || state.heldForCredentials())) {
    if (!state.heldForCredentials()) {
      std::this_thread::sleep_for(100ms);
    } else {
      if (answers == kCredentialAnswers) {  // held for ever otherwise: nobody else is there to answer
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
    }
    state = AskJobState(link, printerUri, job);
  }
  return LinkFault::None;
}

// What holds the page back, if anything: the job held, the queue paused,
// the printer out of reach, in the server's and the administrator's words.
QString Holding(const JobState& state, const QueueState& queue, const QString& printer) {
  if (state.known && state.state == IPP_JSTATE_HELD) {
    QStringList why = state.reasons;
    why.removeAll(QStringLiteral("none"));
    return HeldNotice(printer, why.isEmpty() ? QStringLiteral("job-hold-until-specified") : why.join(u", "));
  }
  if (queue.state == IPP_PSTATE_STOPPED) return PausedNotice(printer, queue.message);
  if (state.known && state.state < IPP_JSTATE_CANCELED && queue.unreachable())
    return UnreachableNotice(printer, queue.message.isEmpty() ? queue.reasons.join(u", ") : queue.message);
  return {};
}

// Until the backend speaks, the job is in the filters: only the backend finds
// a device off. A job behind another one the printer prints prints after it.
bool Quiet(const JobState& state, const QueueState& queue) {
  const bool underWay = state.state == IPP_JSTATE_PROCESSING ||
                        (state.state == IPP_JSTATE_PENDING && queue.state == IPP_PSTATE_PROCESSING);
  return underWay && !queue.message.isEmpty() && !queue.reasons.contains(QStringLiteral("connecting-to-device"));
}

}  // namespace

Look LookAtJobAndQueue(ServerLink& link, const char* printerUri, int job, const QString& printer) {
  JobState state = AskJobState(link, printerUri, job);
  if (const LinkFault dropped = WatchForCredentials(link, printerUri, job, state); dropped != LinkFault::None)
    return {{}, dropped};
  Clock::time_point quietSince = Clock::time_point::max();
  for (;;) {
    const QueueState queue =
        state.known && state.state == IPP_JSTATE_HELD ? QueueState{true, 0, {}, {}} : AskQueue(link, printerUri);
    if (!queue.known) return {};
    if (QString notice = Holding(state, queue, printer); !notice.isEmpty()) return {notice};
    // Printed, cancelled or aborted: nothing waits.
    if (!state.known || state.state >= IPP_JSTATE_CANCELED) return {};
    quietSince = Quiet(state, queue) ? std::min(quietSince, Clock::now()) : Clock::time_point::max();
    if (Clock::now() - quietSince >= kQuiet) return {};  // it prints
    if (link.secondsLeft() < kAnswerMargin + 0.25) return {};
    std::this_thread::sleep_for(250ms);
    state = AskJobState(link, printerUri, job);
  }
}

}  // namespace vitayear::ui
