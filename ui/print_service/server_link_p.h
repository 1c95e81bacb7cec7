// The state the print worker and the window's thread share while a step
// of the exchange runs: private to the link and the worker.
#pragma once

#include <sys/socket.h>

#include <QByteArray>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>

#include "server_link.h"

namespace vitayear::ui {

using Clock = std::chrono::steady_clock;

struct ServerLink::Shared {
  std::mutex mutex;
  std::condition_variable changed;
  Clock::time_point deadline;
  Clock::time_point shutDownAt = Clock::time_point::max();
  bool done = true;
  bool abandoned = false;
  std::atomic<int> cancel{0};
  http_t* published = nullptr;  // the connection the window's thread may shut down
  // The server's question for a password, and the operator's answer.
  bool asking = false;
  bool answered = false;
  bool again = false;
  QByteArray offered;  // the user name the dialog starts with
  int answers = 0;
  std::optional<Credentials> answer;
  QByteArray password;  // alive while libcups uses it
  // Settings read on the window's thread (libcups keeps them per thread).
  QByteArray host;
  int port = 0;
  http_encryption_t encryption = HTTP_ENCRYPTION_IF_REQUESTED;
  QByteArray user;
  // What went wrong.
  bool timedOut = false;
  bool noName = false;
  bool refused = false;
  bool tls = false;
  bool credentialsRefused = false;
  bool credentialsCancelled = false;

  void shutDownConnection() {
    if (published) {
      const int fd = Cups().getFd(published);
      // Only the socket: libcups's own shutdown would tear down TLS state
      // the worker may be using this very moment.
      if (fd >= 0) ::shutdown(fd, SHUT_RDWR);
    }
  }
};

}  // namespace vitayear::ui
