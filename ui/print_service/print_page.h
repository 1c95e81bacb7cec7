// Prints the printout as one page on the spooler's default printer, through
// the print module: loaded at the first Print, its libcups and the TLS,
// Kerberos and Avahi libraries behind it cost nothing at start-up.
#pragma once

#include <QString>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "page_painter.h"
#include "print_outcome.h"

namespace vitayear::ui {

struct Credentials {
  QString user;
  QString password;
  bool remember = false;  // kept in the desktop's keyring for the printer
};

// A wrong user name or password is asked again, up to this many answers.
constexpr int kCredentialAnswers = 3;

// Who asks: the print server itself, or a printer behind it (a Windows
// share) for a job it holds; the user name to offer; whether the last
// answer was refused.
struct CredentialsQuestion {
  QString server;   // as the messages name it
  QString printer;  // empty: the server asks
  QString user;
  bool again = false;
};

// Answered by the operator on the window's thread. nullopt: cancelled.
using CredentialsPrompt = std::function<std::optional<Credentials>(const CredentialsQuestion& question)>;

// A job watched after the hand-over, until it is done or the program ends,
// on the module's watch thread: what it has to tell the window and what the
// window tells it. Everything under the mutex.
struct JobWatch {
  std::mutex mutex;
  std::condition_variable changed;  // for the watch: answered, stopped, cancelled
  // Posts to the window's thread that something below changed; empty once
  // the window no longer listens. Called under the mutex.
  std::function<void()> wakeWindow;
  // Set by the module: its watch thread looks again. Called under the mutex.
  std::function<void()> wakeWatch;
  std::vector<QString> messages;             // notices and problems, in order
  std::optional<CredentialsQuestion> asked;  // waiting for the operator
  std::optional<std::optional<Credentials>> answer;
  QString heldFor;  // the printer, while the page waits for a user name and password
  bool ended = false;
  bool stop = false, cancelHeld = false;  // from the window

  // On the window's thread, under the mutex, once it changed something above.
  void wake() {
    changed.notify_all();
    if (wakeWatch) wakeWatch();
  }

  // On the watch's thread.
  void tell(const QString& text);
  std::optional<Credentials> ask(const CredentialsQuestion& question);  // nullopt also when stopped
  void setHeld(const QString& printer);
  bool stopping();
  void end();
};

// From the click to the job accepted or a message, whatever is slow.
inline constexpr int kPrintBoundMs = 9000;

// Returns once the spooler has accepted or refused the job, or at `boundMs`
// at the latest. A server's question for a password goes to `prompt`. The
// job accepted is watched in the background through `watch`, if given.
PrintResult PrintOnDefaultPrinter(const PrintoutTexts& texts, CredentialsPrompt prompt = {},
                                  int boundMs = kPrintBoundMs, std::shared_ptr<JobWatch> watch = {});

// What the program hands the module for one page, and the module's entry
// point, exported by this name: it prints and sets `result`.
struct PrintCall {
  const PrintoutTexts* texts = nullptr;
  int boundMs = 0;
  CredentialsPrompt prompt;
  std::shared_ptr<JobWatch> watch;
};
inline constexpr char kPrintEntry[] = "vitayear_print_page";
using PrintEntry = void (*)(const PrintCall& call, PrintResult& result);

}  // namespace vitayear::ui
