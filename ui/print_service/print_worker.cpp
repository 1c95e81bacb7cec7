#include "print_worker.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QWidget>
#include <thread>

#include "server_link_p.h"

namespace vitayear::ui {
namespace {

using namespace std::chrono_literals;

// How long the window waits for a worker that has been told to stop.
constexpr auto kGrace = 300ms;

// While the worker runs, the timers of the windows' own objects wait: the
// handler that started the print is still running, and nothing they would
// start may begin inside it. They fire once it has ended.
class HeldTimers : public QObject {
 public:
  HeldTimers() { QCoreApplication::instance()->installEventFilter(this); }
  ~HeldTimers() override { QCoreApplication::instance()->removeEventFilter(this); }
  HeldTimers(const HeldTimers&) = delete;
  HeldTimers& operator=(const HeldTimers&) = delete;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Timer) return false;
    for (QObject* o = watched; o; o = o->parent())
      if (o->isWidgetType()) return true;
    return false;
  }
};

}  // namespace

PrintWorker::PrintWorker(int budgetMs, CredentialsPrompt prompt)
    : link_(new ServerLink(budgetMs)), prompt_(std::move(prompt)) {}

PrintWorker::~PrintWorker() {
  // A worker that is still finishing keeps the link alive and closes it.
  std::lock_guard lock(link_->shared_->mutex);
  link_->shared_->abandoned = true;
  link_->shared_->changed.notify_all();
}

QString PrintWorker::ServerName() {
  const CupsLibrary& cups = Cups();
  return QString::fromLocal8Bit(ServerAddress(cups.server(), cups.port()));
}

bool PrintWorker::run(std::function<void(ServerLink&)> work) {
  if (stalled_) return false;
  std::shared_ptr<ServerLink> link = link_;
  ServerLink::Shared& s = *link->shared_;
  {
    std::lock_guard lock(s.mutex);
    if (s.abandoned) return false;
    s.done = false;
  }
  std::thread([link, work = std::move(work)] {
    link->enterWorkerThread();
    try {
      work(*link);
    } catch (...) {
      // Nothing may leave a thread; the flow reads what the link saw.
    }
    std::lock_guard lock(link->shared_->mutex);
    link->shared_->done = true;
    link->shared_->changed.notify_all();
  }).detach();

  const HeldTimers held;
  std::unique_lock lock(s.mutex);
  for (;;) {
    if (s.done) return true;
    if (s.asking && !s.answered) {
      answerQuestion(lock);
      continue;
    }
    const auto now = Clock::now();
    if (now >= s.deadline) {
      giveUp(lock);
      return false;
    }
    if (now >= s.shutDownAt) {
      s.shutDownAt = Clock::time_point::max();
      s.shutDownConnection();
    }
    lock.unlock();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    lock.lock();
    s.changed.wait_for(lock, 20ms);
  }
}

void PrintWorker::answerQuestion(std::unique_lock<std::mutex>& lock) {
  ServerLink::Shared& s = *link_->shared_;
  const bool again = s.again;
  const QString user = QString::fromUtf8(s.offered);
  const auto asked = Clock::now();
  lock.unlock();
  std::optional<Credentials> answer = prompt_ ? prompt_(ServerName(), user, again) : std::nullopt;
  lock.lock();
  const auto spent = Clock::now() - asked;
  s.deadline += spent;
  if (s.shutDownAt != Clock::time_point::max()) s.shutDownAt += spent;
  s.answer = std::move(answer);
  s.answered = true;
  s.changed.notify_all();
}

void PrintWorker::giveUp(std::unique_lock<std::mutex>& lock) {
  ServerLink::Shared& s = *link_->shared_;
  s.abandoned = true;
  s.timedOut = true;
  s.cancel = 1;
  s.shutDownConnection();
  s.changed.notify_all();
  stalled_ = !s.changed.wait_for(lock, kGrace, [&s] { return s.done; });
}

}  // namespace vitayear::ui
