// The pages printed from the window, watched after their hand-over: what
// the watches have to tell and ask is brought to the window's thread, when
// the window is free for it.
#pragma once

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "print_page.h"

namespace vitayear::ui {

class PrintWatches : public QObject {
 public:
  using Say = std::function<void(const QString& text)>;
  // `busy`: the window is in the middle of something; told afterwards.
  PrintWatches(CredentialsPrompt prompt, Say say, std::function<bool()> busy, QObject* parent = nullptr);
  ~PrintWatches() override;  // every watch stopped; their pages stay queued
  PrintWatches(const PrintWatches&) = delete;
  PrintWatches& operator=(const PrintWatches&) = delete;

  std::shared_ptr<JobWatch> watchNext();  // for the next page
  // The printers at which a page of ours waits for a user name and password.
  QStringList heldForCredentials() const;
  // Those pages no longer asked for, at closing: cancelled at the server
  // (waiting a few seconds at most), or left held there.
  void endHeld(bool cancel);
  // What the watches have to say and ask, unless the window is busy.
  void deliver();

 private:
  CredentialsPrompt prompt_;
  Say say_;
  std::function<bool()> busy_;
  std::vector<std::shared_ptr<JobWatch>> watches_;
  bool delivering_ = false, pending_ = false;
};

}  // namespace vitayear::ui
