#include "print_watches.h"

#include <chrono>

namespace vitayear::ui {
namespace {

// Until the watch has ended, or `until`.
void AwaitEnd(JobWatch& watch, std::chrono::steady_clock::time_point until) {
  std::unique_lock lock(watch.mutex);
  watch.changed.wait_until(lock, until, [&watch] { return watch.ended; });
}

}  // namespace

PrintWatches::PrintWatches(CredentialsPrompt prompt, Say say, std::function<bool()> busy, QObject* parent)
    : QObject(parent), prompt_(std::move(prompt)), say_(std::move(say)), busy_(std::move(busy)) {}

PrintWatches::~PrintWatches() {
  for (const auto& watch : watches_) {
    std::lock_guard lock(watch->mutex);
    watch->wakeWindow = nullptr;
    watch->stop = true;
    watch->wake();
  }
  // A watch resting or waiting for an answer ends at once; one in the middle
  // of a request is left to finish alone.
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(1);
  for (const auto& watch : watches_) AwaitEnd(*watch, until);
}

std::shared_ptr<JobWatch> PrintWatches::watchNext() {
  auto watch = std::make_shared<JobWatch>();
  // Called by the watch's thread under its mutex, which the destructor takes
  // before this object goes.
  watch->wakeWindow = [this] { QMetaObject::invokeMethod(this, &PrintWatches::deliver, Qt::QueuedConnection); };
  watches_.push_back(watch);
  return watch;
}

QStringList PrintWatches::heldForCredentials() const {
  QStringList printers;
  for (const auto& watch : watches_) {
    std::lock_guard lock(watch->mutex);
    if (!watch->heldFor.isEmpty() && !watch->ended) printers.append(watch->heldFor);
  }
  return printers;
}

void PrintWatches::endHeld(bool cancel) {
  std::vector<std::shared_ptr<JobWatch>> held;
  for (const auto& watch : watches_) {
    std::lock_guard lock(watch->mutex);
    if (watch->heldFor.isEmpty() || watch->ended) continue;
    watch->cancelHeld = cancel;
    watch->stop = true;
    watch->wake();
    held.push_back(watch);
  }
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  for (const auto& watch : held) AwaitEnd(*watch, until);
}

void PrintWatches::deliver() {
  // A message box or the password dialog runs an event loop of its own, in
  // which the next wake-up arrives: it is taken by the loop below.
  if (delivering_ || (busy_ && busy_())) return void(pending_ = true);
  delivering_ = true;
  do {
    pending_ = false;
    for (const auto& watch : std::vector(watches_)) {
      std::vector<QString> said;
      std::optional<CredentialsQuestion> question;
      {
        std::lock_guard lock(watch->mutex);
        said.swap(watch->messages);
        if (watch->asked && !watch->answer) question = watch->asked;
      }
      for (const QString& text : said) say_(text);
      if (!question) continue;
      std::optional<Credentials> given = prompt_ ? prompt_(*question) : std::nullopt;
      std::lock_guard lock(watch->mutex);
      if (watch->asked) watch->answer = std::move(given);
      watch->wake();
    }
    std::erase_if(watches_, [](const auto& watch) {
      std::lock_guard lock(watch->mutex);
      return watch->ended && watch->messages.empty();
    });
  } while (pending_);
  delivering_ = false;
}

}  // namespace vitayear::ui
