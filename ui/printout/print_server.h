// One connection of our own to the print server, every wait on it bounded
// by a deadline. Qt's printing asks libcups's shared default connection,
// whose requests wait 60 s each on a server that hangs and cannot be given
// a timeout; this one can. While it waits the windows keep repainting, but
// no user input is handled until the Print handler has ended.
#pragma once

#include <QDeadlineTimer>
#include <QString>

#include "cups_library.h"

namespace vitayear::ui {

class PrintServer {
 public:
  enum class Fault { None, NotRunning, NoAnswer, Closed };

  explicit PrintServer(int budgetMs);
  ~PrintServer();
  PrintServer(const PrintServer&) = delete;
  PrintServer& operator=(const PrintServer&) = delete;

  // The server as the user or the system configured it: host and port, or
  // the path of a local socket.
  static QString Name();

  // Null, with fault() set, when the server cannot be reached in time.
  http_t* http() const { return http_; }

  // What went wrong with the last request that failed, as the connection
  // saw it: the deadline passed, or the server dropped the connection.
  // None means the server answered, with an error of its own.
  Fault fault() const;

 private:
  static int OnTimeout(http_t* http, void* self);

  QDeadlineTimer deadline_;
  http_t* http_ = nullptr;
  bool timedOut_ = false;
  bool refused_ = false;
};

}  // namespace vitayear::ui
