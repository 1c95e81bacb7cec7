// The print worker's connection to the print server: the bound it keeps, the
// faults it saw, and the operator's answer when the server asks for a
// password.
#pragma once

#include <cups/cups.h>

#include <QByteArray>
#include <QString>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>

#include "print_page.h"

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

class ServerLink {
 public:
  explicit ServerLink(int budgetMs);
  ~ServerLink();
  ServerLink(const ServerLink&) = delete;
  ServerLink& operator=(const ServerLink&) = delete;

  // On the worker thread.
  void enterWorkerThread();  // libcups's settings as the window's
  bool connect();            // looks the name up and connects, TLS included
  bool reconnect();          // afresh, for a last word about a job
  void hangUp();             // closes the connection; the next connect() makes a new one
  LinkFault fault() const;
  QString lastAnswer() const;  // the server's words for the last failed request
  bool expired() const;
  void renew(int budgetMs);  // a new bound from now, for a watch's next look
  // A watch's link: the server's question for a password is answered with
  // the one the operator gave for the page, never asked again.
  void answerWith(const QByteArray& user, const QByteArray& password);
  double secondsLeft() const;  // never less than a hundredth
  // Asked on the window's thread; nullopt when cancelled or too late.
  std::optional<Credentials> askOperator(const QString& offering, bool refused);
  void wakeWindow() const;    // something below changed
  void shutDownConnection();  // only the socket, as the worker may be in TLS

  // Shared with the window's thread, under the mutex (but the atomic).
  mutable std::mutex mutex;
  std::condition_variable changed;  // for the worker: answered, or given up
  int wake = -1;                    // an eventfd the window's thread waits on
  Clock::time_point deadline;
  bool done = true, abandoned = false, lookingUp = false;
  std::atomic<int> cancel{0};
  http_t* http = nullptr;  // written by the worker only
  // The server's question for a password, offering a user name, and the answer.
  bool asking = false, again = false, answered = false;
  QString offered;
  int answers = 0;
  std::optional<Credentials> answer;
  QByteArray password;  // alive while libcups uses it
  bool unattended = false;
  // libcups keeps its settings per thread: the window's, read there.
  QByteArray host = cupsServer(), user = cupsUser();
  int port = ippPort();
  http_encryption_t encryption = cupsEncryption();
  LinkFault noted = LinkFault::None;  // the first thing that went wrong

 private:
  static const char* OnPassword(const char* prompt, http_t* http, const char* method, const char* resource, void* self);
  bool lookUp();
  void note(LinkFault fault);

  http_addrlist_t* addresses_ = nullptr;
};

// The server as libcups is told it: host and port, or a local socket's path.
QByteArray ServerAddress(const QByteArray& host, int port);

}  // namespace vitayear::ui
