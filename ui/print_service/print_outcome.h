// What the operator is told of a print, in every way a page does not come
// out or waits.
#pragma once

#include <QString>

namespace vitayear::ui {

struct PrintResult {
  bool ok = false;
  QString problem;  // what went wrong, for a person to read; empty when ok
  QString notice;   // worth knowing although the page was queued
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
// What the connection saw, or else `otherwise`, the server's answer.
PrintResult Failed(LinkFault fault, const QString& server, const QString& otherwise);
// No default printer at the server, or not the one LPDEST, PRINTER or lpoptions names.
QString NoDefaultPrinter(const QString& server);
// The server's answer and, where given, the administrator's reason.
PrintResult Refused(LinkFault fault, const QString& printer, const QString& server, const QString& answer,
                    const QString& reason);
// `smallest`: the printer's smallest paper that takes the page, if any.
PrintResult TooSmall(const QString& printer, const QString& server, const QString& paper, const QString& smallest);
// The window stopped waiting at the deadline, for `fault`; `job` may hold
// part of the page (0: no job yet).
PrintResult Late(LinkFault fault, const QString& server, int job, const QString& printer);
// The page is waiting: the job held (for `reasons`), the queue paused (with
// the administrator's `reason`), the printer out of reach (in its `words`).
QString HeldNotice(const QString& printer, const QString& reasons);
QString PausedNotice(const QString& printer, const QString& reason);
QString UnreachableNotice(const QString& printer, const QString& words);

}  // namespace vitayear::ui
