#include "named_default.h"

#include <QDir>
#include <QFile>

namespace vitayear::ui {
namespace {

// "Default name/instance" in an lpoptions file.
std::optional<NamedDefault> FromFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  for (const QByteArray& line : file.readAll().split('\n')) {
    const QList<QByteArray> words = line.simplified().split(' ');
    if (words.size() >= 2 && words.first().toLower() == "default")
      return NamedDefault{QString::fromUtf8(words.at(1).split('/').first()), path};
  }
  return std::nullopt;
}

}  // namespace

std::optional<NamedDefault> UserNamedDefault() {
  for (const char* variable : {"LPDEST", "PRINTER"}) {
    const QString name = qEnvironmentVariable(variable).split(u'/').first();
    if (!name.isEmpty() && !(name == QStringLiteral("lp") && QByteArray(variable) == "PRINTER"))
      return NamedDefault{name, QString::fromLatin1(variable)};
  }
  const QString home = qEnvironmentVariable("HOME", QDir::homePath());
  if (auto user = FromFile(home + QStringLiteral("/.cups/lpoptions"))) return user;
  const QString serverRoot = qEnvironmentVariable("CUPS_SERVERROOT", QStringLiteral("/etc/cups"));
  return FromFile(serverRoot + QStringLiteral("/lpoptions"));
}

}  // namespace vitayear::ui
