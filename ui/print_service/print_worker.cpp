#include "print_worker.h"

#include <sys/eventfd.h>

#include <thread>

namespace vitayear::ui {

PrintWorker::PrintWorker(int budgetMs, CredentialsPrompt prompt)
    : link_(std::make_shared<ServerLink>(budgetMs)),
      prompt_(std::move(prompt)),
      woken_(link_->wake, QSocketNotifier::Read) {
  timer_.setSingleShot(true);
  QObject::connect(&timer_, &QTimer::timeout, &loop_, &QEventLoop::quit);
  QObject::connect(&woken_, &QSocketNotifier::activated, &loop_, [this] {
    eventfd_t count = 0;
    eventfd_read(link_->wake, &count);
    loop_.quit();
  });
}

PrintWorker::~PrintWorker() {
  // A worker that is still finishing keeps the link alive and closes it.
  ServerLink& s = *link_;
  std::lock_guard lock(s.mutex);
  s.abandoned = true;
  s.changed.notify_all();
}

QString PrintWorker::serverName() const { return QString::fromLocal8Bit(ServerAddress(link_->host, link_->port)); }

bool PrintWorker::run(std::function<void(ServerLink&)> work) {
  ServerLink& s = *link_;
  std::unique_lock lock(s.mutex);
  if (stalled_ || s.abandoned) return false;
  s.done = false;
  std::thread([link = link_, work = std::move(work)] {
    link->enterWorkerThread();
    try {
      work(*link);
    } catch (...) {
      // Nothing may leave a thread; the flow reads what the link saw.
    }
    std::lock_guard lock(link->mutex);
    link->done = true;
    link->changed.notify_all();
    link->wakeWindow();
  }).detach();
  for (;;) {
    if (s.done) return true;
    if (s.asking && !s.answered) {
      answerQuestion(lock);
      continue;
    }
    const auto now = Clock::now();
    if (now >= s.deadline) break;
    timer_.start(std::chrono::ceil<std::chrono::milliseconds>(s.deadline - now));
    lock.unlock();
    loop_.exec(QEventLoop::ExcludeUserInputEvents);
    lock.lock();
  }
  // The deadline: the worker is told to stop, with a grace; a lookup cannot be.
  late_ = s.lookingUp ? LinkFault::NoName : LinkFault::NoAnswer;
  s.abandoned = true;
  s.cancel = 1;
  s.shutDownConnection();
  s.changed.notify_all();
  stalled_ = s.lookingUp || !s.changed.wait_for(lock, std::chrono::milliseconds(300), [&s] { return s.done; });
  return false;
}

void PrintWorker::answerQuestion(std::unique_lock<std::mutex>& lock) {
  ServerLink& s = *link_;
  const QString user = s.offered;
  const bool again = s.again;
  const auto asked = Clock::now();
  lock.unlock();
  std::optional<Credentials> answer = prompt_ ? prompt_({serverName(), {}, user, again}) : std::nullopt;
  lock.lock();
  const auto spent = Clock::now() - asked;
  s.deadline += spent;
  s.answer = std::move(answer);
  s.answered = true;
  s.changed.notify_all();
}

}  // namespace vitayear::ui
