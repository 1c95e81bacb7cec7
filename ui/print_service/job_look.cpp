#include "job_look.h"

#include <chrono>
#include <thread>

#include "job_credentials.h"
#include "queue_state.h"

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

// The job is held at the server, for the reasons it gives.
QString Held(const JobState& state, const QString& printer) {
  QStringList why = state.reasons;
  why.removeAll(QStringLiteral("none"));
  return QStringLiteral(
             "The page is waiting at the printer \"%1\": the print server holds it (%2). It prints once "
             "the job is released.")
      .arg(printer, why.isEmpty() ? QStringLiteral("job-hold-until-specified") : why.join(QStringLiteral(", ")));
}

// The queue is paused, perhaps with the administrator's reason.
QString Paused(const QueueState& queue, const QString& printer) {
  return QStringLiteral(
             "The page is waiting at the printer \"%1\", which is paused%2. It prints once the printer is "
             "resumed.")
      .arg(printer, queue.message.isEmpty() ? QString() : QStringLiteral(": ") + queue.message);
}

// The printer cannot be reached, in its backend's words or reasons.
QString Unreachable(const QueueState& queue, const QString& printer) {
  return QStringLiteral(
             "The page is waiting at the printer \"%1\", which reports: %2. It prints once the printer can "
             "be reached.")
      .arg(printer, queue.message.isEmpty() ? queue.reasons.join(QStringLiteral(", ")) : queue.message);
}

// Until the backend speaks, the job is still in the filters: a device that
// is off is found out only by the backend. A job that waits behind another
// one the printer is printing prints after it.
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
  constexpr Clock::time_point kNotQuiet = Clock::time_point::max();
  Clock::time_point quietSince = kNotQuiet;
  for (;;) {
    if (state.known && state.state == IPP_JSTATE_HELD) return {Held(state, printer)};
    const QueueState queue = AskQueue(link, printerUri);
    if (!queue.known) return {};
    if (queue.state == IPP_PSTATE_STOPPED) return {Paused(queue, printer)};
    // Printed, cancelled or aborted: nothing waits.
    if (!state.known || state.state >= IPP_JSTATE_CANCELED) return {};
    if (queue.unreachable()) return {Unreachable(queue, printer)};
    if (!Quiet(state, queue))
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
