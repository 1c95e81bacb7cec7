// Prints the printout as one page on the spooler's default printer, through
// the print module: loaded at the first Print, its libcups and the TLS,
// Kerberos and Avahi libraries behind it cost nothing at start-up.
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "page_painter.h"
#include "print_outcome.h"

namespace vitayear::ui {

struct Credentials {
  QString user;
  QString password;
};

// A wrong user name or password is asked again, up to this many answers.
constexpr int kCredentialAnswers = 3;

// Answered by the operator on the window's thread: the server, the user name
// to offer, whether the last answer was refused. nullopt: cancelled.
using CredentialsPrompt =
    std::function<std::optional<Credentials>(const QString& server, const QString& user, bool again)>;

// From the click to the job accepted or a message, whatever is slow.
inline constexpr int kPrintBoundMs = 9000;

// Returns once the spooler has accepted or refused the job, or at `boundMs`
// at the latest. A server's question for a password goes to `prompt`.
PrintResult PrintOnDefaultPrinter(const PrintoutTexts& texts, CredentialsPrompt prompt = {},
                                  int boundMs = kPrintBoundMs);

// What the program hands the module for one page, and the module's entry
// point, exported by this name: it prints and sets `result`.
struct PrintCall {
  const PrintoutTexts* texts = nullptr;
  int boundMs = 0;
  CredentialsPrompt prompt;
};
inline constexpr char kPrintEntry[] = "vitayear_print_page";
using PrintEntry = void (*)(const PrintCall& call, PrintResult& result);

}  // namespace vitayear::ui
