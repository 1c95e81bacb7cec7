// The print worker's connection to the print server: the bound it keeps,
// the faults it saw, and the operator's answer when the server asks for a
// password. Its methods run on the worker thread; what it shares with the
// window's thread is in Shared, under its mutex.
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

#include "credentials.h"
#include "print_outcome.h"

namespace vitayear::ui {

using Clock = std::chrono::steady_clock;

// The server's words without their closing full stop: the messages put
// their own.
QString WithoutClosingStop(QString text);

// The server as libcups is told it: host and port, or the path of a local
// socket.
QByteArray ServerAddress(const QByteArray& host, int port);

// The default printer as the server describes it, freed with it.
struct Destination {
  cups_dest_t* dest = nullptr;
  cups_dinfo_t* info = nullptr;
  Destination() = default;
  ~Destination();
  Destination(const Destination&) = delete;
  Destination& operator=(const Destination&) = delete;
  const char* uri() const;
};

class ServerLink {
 public:
  struct Shared {
    Shared();
    ~Shared();
    Shared(const Shared&) = delete;
    Shared& operator=(const Shared&) = delete;
    // Tells the window's thread that something below changed.
    void wakeWindow() const;
    // Only the socket: libcups's own shutdown would tear down TLS state the
    // worker may be using this very moment.
    void shutDownConnection() const;

    std::mutex mutex;
    std::condition_variable changed;  // for the worker: the operator answered, or the window gave up
    int wake = -1;                     // an eventfd the window's thread waits on
    Clock::time_point deadline;
    Clock::time_point shutDownAt = Clock::time_point::max();
    bool done = true;
    bool abandoned = false;
    std::atomic<int> cancel{0};
    http_t* published = nullptr;  // the connection the window's thread may shut down
    // The server's question for a password, and the operator's answer.
    bool asking = false;
    bool again = false;
    QByteArray offered;  // the user name the dialog starts with
    int answers = 0;
    bool answered = false;
    std::optional<Credentials> answer;
    QByteArray password;  // alive while libcups uses it
    // Settings read on the window's thread (libcups keeps them per thread).
    QByteArray host;
    int port = 0;
    http_encryption_t encryption = HTTP_ENCRYPTION_IF_REQUESTED;
    QByteArray user;
    LinkFault noted = LinkFault::None;  // the first thing that went wrong
  };

  explicit ServerLink(int budgetMs);
  ~ServerLink();
  ServerLink(const ServerLink&) = delete;
  ServerLink& operator=(const ServerLink&) = delete;

  Shared& shared() const { return *shared_; }
  // On the worker, before anything else: libcups's settings as the window's.
  void enterWorkerThread();
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
  static int OnTimeout(http_t* http, void* self);
  static const char* OnPassword(const char* prompt, http_t* http, const char* method, const char* resource, void* self);
  bool lookUp();
  void note(LinkFault fault);

  std::unique_ptr<Shared> shared_;
  http_t* http_ = nullptr;
  http_addrlist_t* addresses_ = nullptr;
};

}  // namespace vitayear::ui
