// The print worker's connection to the print server: the bound it keeps,
// the faults it saw, and the operator's answer when the server asks for a
// password. Used on the worker thread; what the window's thread shares with
// it is in Shared, under its mutex.
#pragma once

#include <cups/cups.h>

#include <QByteArray>
#include <QString>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>

#include "credentials_dialog.h"
#include "print_outcome.h"

namespace vitayear::ui {

using Clock = std::chrono::steady_clock;

// The server's words without their closing full stop: the messages put their own.
QString WithoutClosingStop(QString text);

// The default printer as the server describes it, freed with it.
struct Destination {
  cups_dest_t* dest = nullptr;
  cups_dinfo_t* info = nullptr;
  Destination() = default;
  Destination(const Destination&) = delete;
  Destination& operator=(const Destination&) = delete;
  ~Destination();
  const char* uri() const;
};

struct LinkShared {
  LinkShared();
  ~LinkShared();
  LinkShared(const LinkShared&) = delete;
  LinkShared& operator=(const LinkShared&) = delete;
  void wakeWindow() const;  // something below changed
  // Only the socket: libcups's own shutdown would tear down TLS state the
  // worker may be using this very moment.
  void shutDownConnection() const;

  std::mutex mutex;
  std::condition_variable changed;  // for the worker: answered, or given up
  int wake = -1;                    // an eventfd the window's thread waits on
  Clock::time_point deadline;
  Clock::time_point shutDownAt = Clock::time_point::max();
  bool done = true, abandoned = false, lookingUp = false;
  std::atomic<int> cancel{0};
  http_t* http = nullptr;  // written under the mutex, by the worker only
  // The server's question for a password, and the operator's answer.
  bool asking = false, again = false, answered = false;
  QString offered;  // the user name the dialog starts with
  int answers = 0;
  std::optional<Credentials> answer;
  QByteArray password;  // alive while libcups uses it
  // libcups keeps its settings per thread: the window's, read there.
  QByteArray host = cupsServer(), user = cupsUser();
  int port = ippPort();
  http_encryption_t encryption = cupsEncryption();
  LinkFault noted = LinkFault::None;  // the first thing that went wrong
};

class ServerLink {
 public:
  explicit ServerLink(int budgetMs);
  ~ServerLink();
  ServerLink(const ServerLink&) = delete;
  ServerLink& operator=(const ServerLink&) = delete;

  LinkShared& shared() const { return *shared_; }
  // On the worker, before anything else: libcups's settings as the window's.
  void enterWorkerThread();
  http_t* http() const { return shared_->http; }
  // Looks the name up and connects, TLS included, within the budget.
  bool connect();
  // A fresh connection to the same server, for a last word about a job.
  bool reconnect();
  LinkFault fault() const;
  // The server's words for this thread's last failed request.
  QString lastAnswer() const;
  // The connection is shut down `msBeforeDeadline` before the deadline,
  // leaving that much for a look at the job; 0 lifts it.
  void keepInReserve(int msBeforeDeadline);
  bool expired() const;
  double secondsLeft() const;  // never less than a hundredth
  // The operator's user name and password, asked on the window's thread;
  // nullopt when cancelled or too late.
  std::optional<Credentials> askOperator(const QString& user, bool again);

 private:
  static const char* OnPassword(const char* prompt, http_t* http, const char* method, const char* resource, void* self);
  bool lookUp();
  void note(LinkFault fault);

  std::unique_ptr<LinkShared> shared_;
  http_addrlist_t* addresses_ = nullptr;
};

// The server as libcups is told it: host and port, or a local socket's path.
QByteArray ServerAddress(const QByteArray& host, int port);

}  // namespace vitayear::ui
