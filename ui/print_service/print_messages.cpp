#include "print_messages.h"

namespace vitayear::ui {

PrintResult Problem(const QString& text) { return {false, text + QStringLiteral(" Nothing was printed."), {}}; }

PrintResult Failed(LinkFault fault, const QString& server, const QString& otherwise) {
  switch (fault) {
    case LinkFault::NoName:
      return Problem(QStringLiteral("The name of the print server %1 could not be looked up.").arg(server));
    case LinkFault::NotRunning:
      return Problem(
          QStringLiteral("The printing service (CUPS) is not running, or cannot be reached at %1.").arg(server));
    case LinkFault::NoAnswer: return Problem(QStringLiteral("The print server %1 does not answer.").arg(server));
    case LinkFault::Closed: return Problem(QStringLiteral("The print server %1 closed the connection.").arg(server));
    case LinkFault::Encryption:
      return Problem(
          QStringLiteral("Vitayear could not set up an encrypted connection to the print server %1.").arg(server));
    case LinkFault::CredentialsRefused:
      return Problem(QStringLiteral("The print server %1 did not accept the user name and password.").arg(server));
    case LinkFault::CredentialsCancelled:
      return Problem(QStringLiteral("The question of the print server %1 for a user name and password was cancelled.")
                         .arg(server));
    case LinkFault::None: break;
  }
  return Problem(otherwise);
}

}  // namespace vitayear::ui
