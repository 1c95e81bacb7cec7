#include "kept_passwords.h"

#include <qt6keychain/keychain.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QEventLoop>
#include <QTimer>

namespace vitayear::ui {
namespace {

constexpr char kService[] = "Vitayear";
constexpr int kKeyringBoundMs = 5000;  // a keyring that does not answer is no keyring

// Runs a keychain job to its end, or to the bound; true when it succeeded.
bool Finish(QKeychain::Job& job) {
  job.setAutoDelete(false);
  job.setInsecureFallback(false);  // never a plain file
  QEventLoop loop;
  QTimer::singleShot(kKeyringBoundMs, &loop, &QEventLoop::quit);
  bool done = false;
  QObject::connect(&job, &QKeychain::Job::finished, &loop, [&] {
    done = true;
    loop.quit();
  });
  job.start();
  if (!done) loop.exec(QEventLoop::ExcludeUserInputEvents);
  return done && job.error() == QKeychain::NoError;
}

}  // namespace

bool KeyringAvailable() {
  // A session whose bus is switched off has no keyring on it either; asking
  // would start the D-Bus connection's thread for nothing.
  if (qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS").startsWith(QStringLiteral("disabled:"))) return false;
  QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
  if (!bus) return false;
  for (const char* name : {"org.freedesktop.secrets", "org.kde.kwalletd6", "org.kde.kwalletd5"})
    if (bus->isServiceRegistered(QString::fromLatin1(name))) return true;
  return false;
}

QString KeyringEntry(const QString& printer, const QString& server) {
  return QStringLiteral("printer %1 at %2").arg(printer, server);
}

std::optional<Credentials> KeptCredentials(const QString& entry) {
  QKeychain::ReadPasswordJob job(QString::fromLatin1(kService));
  job.setKey(entry);
  if (!Finish(job)) return std::nullopt;
  // The user name, a line feed, the password: a user name has no line feed.
  const QString kept = job.textData();
  const qsizetype feed = kept.indexOf(u'\n');
  if (feed <= 0) return std::nullopt;
  return Credentials{kept.left(feed), kept.mid(feed + 1), true};
}

bool KeepCredentials(const QString& entry, const Credentials& given) {
  QKeychain::WritePasswordJob job(QString::fromLatin1(kService));
  job.setKey(entry);
  job.setTextData(given.user + u'\n' + given.password);
  return Finish(job);
}

void ForgetCredentials(const QString& entry) {
  QKeychain::DeletePasswordJob job(QString::fromLatin1(kService));
  job.setKey(entry);
  Finish(job);
}

}  // namespace vitayear::ui
