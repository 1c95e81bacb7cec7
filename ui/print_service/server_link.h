// The print worker's connection to the print server: the bound it keeps,
// the faults it saw, and the operator's answer when the server asks for a
// password. Used on the worker thread only.
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

#include "credentials.h"
#include "cups_library.h"
#include "link_fault.h"

namespace vitayear::ui {

// The server's words without their closing full stop: the messages put
// their own.
QString WithoutClosingStop(QString text);

// The server as libcups is told it: host and port, or the path of a local
// socket.
QByteArray ServerAddress(const QByteArray& host, int port);

class ServerLink {
 public:
  ~ServerLink();

  http_t* http() const { return http_; }
  // Looks the name up and connects, TLS included, within the budget.
  bool connect();
  // A fresh connection to the same server, for a last word about a job.
  bool reconnect();
  LinkFault fault() const;
  // The server's words for this thread's last failed request, without their
  // closing full stop.
  QString lastAnswer() const;
  // The connection is shut down at `msBeforeDeadline` before the deadline,
  // leaving that much for a look at the job; 0 lifts it.
  void keepInReserve(int msBeforeDeadline);
  bool expired() const;
  // Until the deadline, never less than a hundredth.
  double secondsLeft() const;
  // Asks the operator for a user name and password, on the window's thread,
  // offering `user`; nullopt when cancelled or too late.
  std::optional<Credentials> askOperator(const QString& user, bool again);

 private:
  friend class PrintWorker;
  struct Shared;
  explicit ServerLink(int budgetMs);
  static int OnTimeout(http_t* http, void* self);
  static const char* OnPassword(const char* prompt, http_t* http, const char* method, const char* resource, void* self);
  void enterWorkerThread();
  bool lookUp();
  // Whether the connection failed for the deadline, TLS or a refusal.
  void noteConnectFailure();

  std::unique_ptr<Shared> shared_;
  http_t* http_ = nullptr;
  http_addrlist_t* addresses_ = nullptr;
};

}  // namespace vitayear::ui
