#include "print_outcome.h"

#include <QDir>
#include <QFile>
#include <iterator>
#include <optional>
#include <utility>

namespace vitayear::ui {
namespace {

// A default printer the user named rather than the server's, and the setting
// that names it, where libcups looks, in its order: LPDEST, PRINTER (but
// "lp"), the user's lpoptions ("Default name/instance"), the system's.
std::optional<std::pair<QString, QString>> UserNamedDefault() {
  for (const char* variable : {"LPDEST", "PRINTER"}) {
    const QString name = qEnvironmentVariable(variable).split(u'/').first();
    if (!name.isEmpty() && !(name == QStringLiteral("lp") && QByteArray(variable) == "PRINTER"))
      return std::pair(name, QString::fromLatin1(variable));
  }
  for (const QString& path :
       {qEnvironmentVariable("HOME", QDir::homePath()) + QStringLiteral("/.cups/lpoptions"),
        qEnvironmentVariable("CUPS_SERVERROOT", QStringLiteral("/etc/cups")) + QStringLiteral("/lpoptions")}) {
    QFile file(path);
    for (const QByteArray& line : file.open(QIODevice::ReadOnly) ? file.readAll().split('\n') : QList<QByteArray>()) {
      const QList<QByteArray> words = line.simplified().split(' ');
      if (words.size() >= 2 && words.first().toLower() == "default")
        return std::pair(QString::fromUtf8(words.at(1).split('/').first()), path);
    }
  }
  return std::nullopt;
}

}  // namespace

PrintResult Problem(const QString& text) { return {false, text + QStringLiteral(" Nothing was printed."), {}}; }

PrintResult Failed(LinkFault fault, const QString& server, const QString& otherwise) {
  static const char* const kWords[] = {
      // by LinkFault
      nullptr,
      "The name of the print server %1 could not be looked up.",
      "The printing service (CUPS) is not running, or cannot be reached at %1.",
      "The print server %1 does not answer.",
      "The print server %1 closed the connection.",
      "Vitayear could not set up an encrypted connection to the print server %1.",
      "The print server %1 did not accept the user name and password.",
      "The question of the print server %1 for a user name and password was cancelled."};
  static_assert(std::size(kWords) == static_cast<int>(LinkFault::CredentialsCancelled) + 1);
  const char* words = kWords[static_cast<int>(fault)];
  return Problem(words ? QString::fromUtf8(words).arg(server) : otherwise);
}

QString NoDefaultPrinter(const QString& server) {
  if (const auto named = UserNamedDefault())
    return QStringLiteral("The printer \"%1\" that %2 names as the default is not set up at the print server %3.")
        .arg(named->first, named->second, server);
  return QStringLiteral(
             "No default printer is set up at the print server %1. Choose a default printer in the system's printer "
             "settings, then press Print again.")
      .arg(server);
}

PrintResult Refused(LinkFault fault, const QString& printer, const QString& server, const QString& answer,
                    const QString& reason) {
  QString words = QStringLiteral("The printer \"%1\" at %2 did not accept the page: %3.").arg(printer, server, answer);
  if (!reason.isEmpty()) words += QStringLiteral(" The reason given: %1.").arg(reason);
  return Failed(fault, server, words);
}

PrintResult TooSmall(const QString& printer, const QString& server, const QString& paper, const QString& smallest) {
  const QString text =
      QStringLiteral("The printer \"%1\" at %2 holds paper of %3, too small for the page.").arg(printer, server, paper);
  if (smallest.isEmpty()) return Problem(text + QStringLiteral(" None of its papers takes the page."));
  return Problem(text + QStringLiteral(" The smallest of its papers that takes the page is %1.").arg(smallest));
}

PrintResult Late(LinkFault fault, const QString& server, int job, const QString& printer) {
  if (job <= 0) return Failed(fault, server, {});
  return {false,
          QStringLiteral("The print server %1 stopped answering while it took the page (job %2 at the printer "
                         "\"%3\"). Look at that printer's queue before you print again.")
              .arg(server)
              .arg(job)
              .arg(printer),
          {}};
}

QString HeldNotice(const QString& printer, const QString& reasons) {
  return QStringLiteral(
             "The page is waiting at the printer \"%1\": the print server holds it (%2). It prints once the job is "
             "released.")
      .arg(printer, reasons);
}

QString PausedNotice(const QString& printer, const QString& reason) {
  return QStringLiteral(
             "The page is waiting at the printer \"%1\", which is paused%2. It prints once the printer is "
             "resumed.")
      .arg(printer, reason.isEmpty() ? QString() : QStringLiteral(": ") + reason);
}

QString UnreachableNotice(const QString& printer, const QString& words) {
  return QStringLiteral(
             "The page is waiting at the printer \"%1\", which reports: %2. It prints once the printer can be "
             "reached.")
      .arg(printer, words);
}

}  // namespace vitayear::ui
