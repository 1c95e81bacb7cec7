// The print service's exchange with the server runs on a thread of its own.
// A name lookup, a connection, TLS, an answer that pauses or trickles in can
// each keep libcups waiting as long as the network likes; none of that may
// freeze the window or outlast the bound. The window's thread waits in a
// local loop that repaints and takes no user input; the one thing it answers
// is the server's question for a user name and password. At the deadline it
// shuts the connection down and stops waiting.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "cups_library.h"

namespace vitayear::ui {

struct Credentials {
  QString user;
  QString password;
};

// A wrong user name or password is asked again, up to this many answers.
constexpr int kCredentialAnswers = 3;

// Asks the operator on the window's thread: the server, the user name to
// offer, and whether an answer was refused before. nullopt: cancelled.
using CredentialsPrompt =
    std::function<std::optional<Credentials>(const QString& server, const QString& user, bool again)>;

// How an exchange went wrong, as the connection saw it. None: the server
// answered, perhaps with an error of its own.
enum class LinkFault {
  None,
  NoName,
  NotRunning,
  NoAnswer,
  Closed,
  Encryption,
  CredentialsRefused,
  CredentialsCancelled
};

class ServerLink;

// The server's words without their closing full stop: the messages put
// their own.
QString WithoutClosingStop(QString text);

// Looks a host name up; replaceable so that a test can make lookups hang.
using NameLookup = http_addrlist_t* (*)(const char* host, int family, const char* service);
void SetNameLookup(NameLookup lookup);

class PrintWorker {
 public:
  // `budgetMs` bounds everything from now on, but for the time the operator
  // spends answering the server's question for a password.
  PrintWorker(int budgetMs, CredentialsPrompt prompt);
  ~PrintWorker();
  PrintWorker(const PrintWorker&) = delete;
  PrintWorker& operator=(const PrintWorker&) = delete;

  // Runs `work` on a worker thread and waits for it, repainting. False when
  // the deadline came first: the worker may still be finishing, so `work`
  // must hold only what it shares. Nothing runs after a step that timed out.
  bool run(std::function<void(ServerLink&)> work);

  // The server as the user or the system configured it: host and port, or
  // the path of a local socket.
  static QString ServerName();

 private:
  std::shared_ptr<ServerLink> link_;
  CredentialsPrompt prompt_;
  bool stalled_ = false;
};

// The worker's side of the exchange; used on the worker thread only.
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

  std::unique_ptr<Shared> shared_;
  http_t* http_ = nullptr;
  http_addrlist_t* addresses_ = nullptr;
  LinkFault fault_ = LinkFault::None;
};

}  // namespace vitayear::ui
