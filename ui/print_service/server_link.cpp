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

LinkShared::LinkShared() : wake(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

LinkShared::~LinkShared() {
  if (wake >= 0) ::close(wake);
}

void LinkShared::wakeWindow() const {
  if (wake >= 0) eventfd_write(wake, 1);
}

void LinkShared::shutDownConnection() const {
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

ServerLink::ServerLink(int budgetMs) : shared_(std::make_unique<LinkShared>()) {
  shared_->deadline = Clock::now() + std::chrono::milliseconds(budgetMs);
}

ServerLink::~ServerLink() {
  if (shared_->http) httpClose(shared_->http);
  if (addresses_) httpAddrFreeList(addresses_);
}

void ServerLink::enterWorkerThread() {
  cupsSetServer(ServerAddress(shared_->host, shared_->port).constData());
  cupsSetEncryption(shared_->encryption);
  cupsSetUser(shared_->user.constData());
  cupsSetPasswordCB2(&ServerLink::OnPassword, this);  // never the terminal
}

double ServerLink::secondsLeft() const {
  std::lock_guard lock(shared_->mutex);
  return std::max(0.01, std::chrono::duration<double>(shared_->deadline - Clock::now()).count());
}

bool ServerLink::expired() const {
  std::lock_guard lock(shared_->mutex);
  return shared_->abandoned || Clock::now() >= shared_->deadline;
}

void ServerLink::note(LinkFault fault) {
  std::lock_guard lock(shared_->mutex);
  if (shared_->noted == LinkFault::None) shared_->noted = fault;
}

bool ServerLink::lookUp() {
  {
    std::lock_guard lock(shared_->mutex);
    shared_->lookingUp = true;
  }
  addresses_ = httpAddrGetList(shared_->host.constData(), AF_UNSPEC, QByteArray::number(shared_->port).constData());
  std::lock_guard lock(shared_->mutex);
  shared_->lookingUp = false;
  if (!addresses_ && shared_->noted == LinkFault::None) shared_->noted = LinkFault::NoName;
  return addresses_ != nullptr;
}

bool ServerLink::connect() {
  LinkShared& s = *shared_;
  if (!addresses_ && !lookUp()) return false;
  // Made without connecting, so that the window's thread can shut it down
  // while TLS or the connection itself hangs.
  http_t* http = httpConnect2(s.host.constData(), s.port, addresses_, AF_UNSPEC, s.encryption, 1, 0, nullptr);
  if (!http) return note(LinkFault::NotRunning), false;
  {
    std::lock_guard lock(s.mutex);
    s.http = http;
  }
  // libcups asks whether to go on waiting; until the deadline, yes.
  httpSetTimeout(http, secondsLeft(), [](http_t*, void* self) { return static_cast<ServerLink*>(self)->expired() ? 0 : 1; },
                 this);
  if (httpReconnect2(http, static_cast<int>(secondsLeft() * 1000), reinterpret_cast<int*>(&s.cancel)) == 0) return true;
  const bool pki = cupsLastError() == IPP_STATUS_ERROR_CUPS_PKI;
  if (!expired()) note(pki ? LinkFault::Encryption : LinkFault::NotRunning);
  return false;
}

bool ServerLink::reconnect() {
  if (http_t* old = http()) {
    {
      std::lock_guard lock(shared_->mutex);
      shared_->http = nullptr;
    }
    httpClose(old);
  }
  return !expired() && connect();
}

LinkFault ServerLink::fault() const {
  std::lock_guard lock(shared_->mutex);
  const LinkShared& s = *shared_;
  if (s.noted != LinkFault::None) return s.noted;
  if (s.abandoned || Clock::now() >= s.deadline) return LinkFault::NoAnswer;
  if (s.http && httpGetStatus(s.http) == HTTP_STATUS_ERROR) return LinkFault::Closed;
  return LinkFault::None;
}

QString ServerLink::lastAnswer() const { return WithoutClosingStop(QString::fromUtf8(cupsLastErrorString())); }

void ServerLink::keepInReserve(int msBeforeDeadline) {
  std::lock_guard lock(shared_->mutex);
  shared_->shutDownAt =
      msBeforeDeadline > 0 ? shared_->deadline - std::chrono::milliseconds(msBeforeDeadline) : Clock::time_point::max();
  shared_->wakeWindow();
}

std::optional<Credentials> ServerLink::askOperator(const QString& user, bool again) {
  LinkShared& s = *shared_;
  std::unique_lock lock(s.mutex);
  if (s.abandoned) return std::nullopt;
  s.offered = user;
  s.again = again;
  s.asking = true;
  s.answered = false;
  s.wakeWindow();
  s.changed.wait(lock, [&s] { return s.answered || s.abandoned; });
  s.asking = false;
  return s.answered ? s.answer : std::nullopt;
}

const char* ServerLink::OnPassword(const char*, http_t*, const char*, const char*, void* self) {
  ServerLink& link = *static_cast<ServerLink*>(self);
  LinkShared& s = *link.shared_;
  std::unique_lock lock(s.mutex);
  if (s.abandoned) return nullptr;
  const int answers = s.answers++;
  const QString user = QString::fromUtf8(s.user);
  lock.unlock();
  const std::optional<Credentials> answer =
      answers < kCredentialAnswers ? link.askOperator(user, answers > 0) : std::nullopt;
  if (!answer) {
    link.note(answers < kCredentialAnswers ? LinkFault::CredentialsCancelled : LinkFault::CredentialsRefused);
    return nullptr;
  }
  lock.lock();
  s.user = answer->user.toUtf8();
  cupsSetUser(s.user.constData());
  s.password = answer->password.toUtf8();
  return s.password.constData();
}

}  // namespace vitayear::ui
