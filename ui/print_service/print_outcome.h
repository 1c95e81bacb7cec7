// What the operator is told of a print: the outcome, and the words for
// every way a page does not come out or waits.
#pragma once

#include <QString>

namespace vitayear::ui {

struct PrintResult {
  bool ok = false;
  QString problem;  // what went wrong, for a person to read; empty when ok
  QString notice;   // something worth knowing although the page was queued
};

// How an exchange with the print server went wrong, as the connection saw
// it. None: the server answered, perhaps with an error of its own.
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

// Nothing was printed, for the reason `text` gives.
PrintResult Problem(const QString& text);

// The request failed: say what the connection saw, or else what the server
// answered in `otherwise`.
PrintResult Failed(LinkFault fault, const QString& server, const QString& otherwise);

// The server has no default printer, or not the one the user named in
// LPDEST, PRINTER or lpoptions.
QString NoDefaultPrinter(const QString& server);

// The printer did not take the page, in the server's answer and, where it
// gives one, the administrator's reason.
PrintResult Refused(LinkFault fault, const QString& printer, const QString& server, const QString& answer,
                    const QString& reason);

// Nothing is printed on paper far too small for the page; `smallest` is the
// printer's smallest paper that takes it, empty when none does.
PrintResult TooSmall(const QString& printer, const QString& server, const QString& paper, const QString& smallest);

// The window stopped waiting at the deadline for `fault`, the page perhaps
// half taken by job `job` (0: no job yet).
PrintResult Late(LinkFault fault, const QString& server, int job, const QString& printer);

// The page is waiting at the printer: the server holds the job, for these
// reasons; the queue is paused, with the administrator's reason; or the
// printer cannot be reached, in its backend's words.
QString HeldNotice(const QString& printer, const QString& reasons);
QString PausedNotice(const QString& printer, const QString& reason);
QString UnreachableNotice(const QString& printer, const QString& words);

}  // namespace vitayear::ui
