#include "server_link.h"

#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vitayear::ui {

Destination::~Destination() {
  if (info) cupsFreeDestInfo(info);
  if (dest) cupsFreeDests(1, dest);
}

const char* Destination::uri() const {
  return dest ? cupsGetOption("printer-uri-supported", dest->num_options, dest->options) : nullptr;
}

void ServerLink::wakeWindow() const {
  if (wake >= 0) eventfd_write(wake, 1);
}

void ServerLink::shutDownConnection() {
  if (const int fd = http ? httpGetFd(http) : -1; fd >= 0) ::shutdown(fd, SHUT_RDWR);
}

QByteArray ServerAddress(const QByteArray& host, int port) {
  return host.startsWith('/') ? host : host + ':' + QByteArray::number(port);
}

QString WithoutClosingStop(QString text) {
  text = text.trimmed();
  while (text.endsWith(u'.')) text.chop(1);
  return text;
}

ServerLink::ServerLink(int budgetMs)
    : wake(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)), deadline(Clock::now() + std::chrono::milliseconds(budgetMs)) {}

ServerLink::~ServerLink() {
  if (wake >= 0) ::close(wake);
  if (http) httpClose(http);
  httpAddrFreeList(addresses_);
}

void ServerLink::enterWorkerThread() {
  cupsSetServer(ServerAddress(host, port).constData());
  cupsSetEncryption(encryption);
  cupsSetUser(user.constData());
  cupsSetPasswordCB2(&ServerLink::OnPassword, this);  // never the terminal
}

double ServerLink::secondsLeft() const {
  std::lock_guard lock(mutex);
  return std::max(0.01, std::chrono::duration<double>(deadline - Clock::now()).count());
}

bool ServerLink::expired() const {
  std::lock_guard lock(mutex);
  return abandoned || Clock::now() >= deadline;
}

void ServerLink::renew(int budgetMs) {
  std::lock_guard lock(mutex);
  deadline = Clock::now() + std::chrono::milliseconds(budgetMs);
}

void ServerLink::answerWith(const QByteArray& given, const QByteArray& secret) {
  std::lock_guard lock(mutex);
  user = given;
  password = secret;
  unattended = true;
}

void ServerLink::note(LinkFault fault) {
  std::lock_guard lock(mutex);
  if (noted == LinkFault::None) noted = fault;
}

bool ServerLink::lookUp() {
  {
    std::lock_guard lock(mutex);
    lookingUp = true;
  }
  addresses_ = httpAddrGetList(host.constData(), AF_UNSPEC, QByteArray::number(port).constData());
  std::lock_guard lock(mutex);
  lookingUp = false;
  if (!addresses_ && noted == LinkFault::None) noted = LinkFault::NoName;
  return addresses_ != nullptr;
}

bool ServerLink::connect() {
  if (!addresses_ && !lookUp()) return false;
  // Made without connecting, so that the window's thread can shut it down
  // while TLS or the connection itself hangs.
  http_t* made = httpConnect2(host.constData(), port, addresses_, AF_UNSPEC, encryption, 1, 0, nullptr);
  if (!made) return note(LinkFault::NotRunning), false;
  {
    std::lock_guard lock(mutex);
    http = made;
  }
  // libcups asks whether to go on waiting; until the deadline, yes.
  httpSetTimeout(
      made, secondsLeft(), [](http_t*, void* self) { return static_cast<ServerLink*>(self)->expired() ? 0 : 1; }, this);
  if (httpReconnect2(made, static_cast<int>(secondsLeft() * 1000), reinterpret_cast<int*>(&cancel)) == 0) return true;
  const bool pki = cupsLastError() == IPP_STATUS_ERROR_CUPS_PKI;
  if (!expired()) note(pki ? LinkFault::Encryption : LinkFault::NotRunning);
  return false;
}

void ServerLink::hangUp() {
  http_t* old = nullptr;
  {
    std::lock_guard lock(mutex);
    std::swap(old, http);
  }
  if (old) httpClose(old);
}

bool ServerLink::reconnect() {
  hangUp();
  return !expired() && connect();
}

LinkFault ServerLink::fault() const {
  std::lock_guard lock(mutex);
  if (noted != LinkFault::None) return noted;
  if (abandoned || Clock::now() >= deadline) return LinkFault::NoAnswer;
  if (http && httpGetStatus(http) == HTTP_STATUS_ERROR) return LinkFault::Closed;
  return LinkFault::None;
}

QString ServerLink::lastAnswer() const { return WithoutClosingStop(QString::fromUtf8(cupsLastErrorString())); }

std::optional<Credentials> ServerLink::askOperator(const QString& offering, bool refused) {
  std::unique_lock lock(mutex);
  if (abandoned) return std::nullopt;
  offered = offering;
  again = refused;
  asking = true;
  answered = false;
  wakeWindow();
  changed.wait(lock, [this] { return answered || abandoned; });
  asking = false;
  return answered ? answer : std::nullopt;
}

const char* ServerLink::OnPassword(const char*, http_t*, const char*, const char*, void* self) {
  ServerLink& link = *static_cast<ServerLink*>(self);
  std::unique_lock lock(link.mutex);
  if (link.abandoned) return nullptr;
  const int answers = link.answers++;
  // The page's password, a few times in all: one refused is not tried for ever.
  if (link.unattended)
    return !link.password.isEmpty() && answers < kCredentialAnswers ? link.password.constData() : nullptr;
  const QString offering = QString::fromUtf8(link.user);
  lock.unlock();
  const std::optional<Credentials> given =
      answers < kCredentialAnswers ? link.askOperator(offering, answers > 0) : std::nullopt;
  if (!given) {
    link.note(answers < kCredentialAnswers ? LinkFault::CredentialsCancelled : LinkFault::CredentialsRefused);
    return nullptr;
  }
  lock.lock();
  link.user = given->user.toUtf8();
  cupsSetUser(link.user.constData());
  link.password = given->password.toUtf8();
  return link.password.constData();
}

}  // namespace vitayear::ui
