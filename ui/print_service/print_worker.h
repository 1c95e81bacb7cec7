// The print service's exchange with the server runs on a thread of its own.
// A name lookup, a connection, TLS, an answer that pauses or trickles in can
// each keep libcups waiting as long as the network likes; none of that may
// freeze the window or outlast the bound. The window's thread waits in an
// event loop that repaints and takes no user input, woken when the worker
// is done or asks the operator for a password, and at the deadline, where
// it shuts the connection down and stops waiting.
#pragma once

#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <functional>
#include <memory>
#include <mutex>

#include "credentials.h"
#include "server_link.h"

namespace vitayear::ui {

class PrintWorker {
 public:
  // `budgetMs` bounds everything from now on, but for the time the operator
  // spends answering the server's question for a password.
  PrintWorker(int budgetMs, CredentialsPrompt prompt);
  ~PrintWorker();
  PrintWorker(const PrintWorker&) = delete;
  PrintWorker& operator=(const PrintWorker&) = delete;

  // Runs `work` on a worker thread and waits for it. False when the deadline
  // came first: the worker may still be finishing, so `work` must hold only
  // what it shares. Nothing runs after a step that timed out.
  bool run(std::function<void(ServerLink&)> work);

  // The server as the user or the system configured it: host and port, or
  // the path of a local socket.
  static QString ServerName();

 private:
  // The operator's answer to the server's question, the lock released
  // meanwhile; the time at the dialog is not the server's.
  void answerQuestion(std::unique_lock<std::mutex>& lock);
  // At the deadline: the worker is told to stop and given a short grace.
  void giveUp(std::unique_lock<std::mutex>& lock);

  std::shared_ptr<ServerLink> link_;
  CredentialsPrompt prompt_;
  QEventLoop loop_;
  QTimer timer_;
  QSocketNotifier woken_;
  bool stalled_ = false;
};

}  // namespace vitayear::ui
