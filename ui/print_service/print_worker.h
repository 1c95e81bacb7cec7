// The exchange with the server runs on a thread of its own: a lookup, TLS, a
// slow answer can keep libcups waiting as long as the network likes. The
// window's thread waits in an event loop that repaints, takes no user input,
// and wakes when the worker is done or asks for a password, or at the deadline.
#pragma once

#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <functional>
#include <memory>

#include "server_link.h"

namespace vitayear::ui {

class PrintWorker {
 public:
  // `budgetMs` bounds all from now on, but the time at the password dialog.
  PrintWorker(int budgetMs, CredentialsPrompt prompt);
  ~PrintWorker();
  PrintWorker(const PrintWorker&) = delete;
  PrintWorker& operator=(const PrintWorker&) = delete;

  // False when the deadline came first: the worker may still be finishing,
  // so `work` must hold only what it shares. Nothing runs after that.
  bool run(std::function<void(ServerLink&)> work);
  // Why the last step that timed out did: no answer, or no name.
  LinkFault lateFault() const { return late_; }

  // The server as configured: host and port, or a local socket's path.
  QString serverName() const;
  // Its settings and the operator's answers, once `run` returned true.
  const ServerLink& link() const { return *link_; }

 private:
  // The lock released meanwhile; the time at the dialog is not the server's.
  void answerQuestion(std::unique_lock<std::mutex>& lock);

  std::shared_ptr<ServerLink> link_;
  CredentialsPrompt prompt_;
  QEventLoop loop_;
  QTimer timer_;
  QSocketNotifier woken_;
  bool stalled_ = false;
  LinkFault late_ = LinkFault::NoAnswer;
};

}  // namespace vitayear::ui
