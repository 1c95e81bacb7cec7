#include "server_link.h"

#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

namespace vitayear::ui {
namespace {

// The lookup gives up this long before the deadline, so that the message
// can still say it was the lookup.
constexpr auto kLookupMargin = std::chrono::milliseconds(250);

// A name lookup on a thread of its own: nothing can interrupt a resolver
// that does not answer, so a late lookup is left to finish alone and frees
// what it finds.
struct Lookup {
  std::mutex mutex;
  std::condition_variable done;
  bool finished = false;
  bool late = false;
  http_addrlist_t* addresses = nullptr;
};

}  // namespace

ServerLink::Shared::Shared() : wake(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

ServerLink::Shared::~Shared() {
  if (wake >= 0) ::close(wake);
}

void ServerLink::Shared::wakeWindow() const {
  if (wake >= 0) eventfd_write(wake, 1);
}

void ServerLink::Shared::shutDownConnection() const {
  const int fd = published ? httpGetFd(published) : -1;
  if (fd >= 0) ::shutdown(fd, SHUT_RDWR);
}

Destination::~Destination() {
  if (info) cupsFreeDestInfo(info);
  if (dest) cupsFreeDests(1, dest);
}

const char* Destination::uri() const {
  return dest ? cupsGetOption("printer-uri-supported", dest->num_options, dest->options) : nullptr;
}

QByteArray ServerAddress(const QByteArray& host, int port) {
  return host.startsWith('/') ? host : host + ':' + QByteArray::number(port);
}

QString WithoutClosingStop(QString text) {
  text = text.trimmed();
  while (text.endsWith(u'.')) text.chop(1);
  return text;
}

ServerLink::ServerLink(int budgetMs) : shared_(std::make_unique<Shared>()) {
  shared_->deadline = Clock::now() + std::chrono::milliseconds(budgetMs);
  shared_->host = cupsServer();
  shared_->port = ippPort();
  shared_->encryption = cupsEncryption();
  shared_->user = cupsUser();
}

ServerLink::~ServerLink() {
  if (http_) httpClose(http_);
  if (addresses_) httpAddrFreeList(addresses_);
}

void ServerLink::enterWorkerThread() {
  cupsSetServer(ServerAddress(shared_->host, shared_->port).constData());
  cupsSetEncryption(shared_->encryption);
  cupsSetUser(shared_->user.constData());
  // Never the terminal: the question goes to the window.
  cupsSetPasswordCB2(&ServerLink::OnPassword, this);
}

double ServerLink::secondsLeft() const {
  std::lock_guard lock(shared_->mutex);
  const double left = std::chrono::duration<double>(shared_->deadline - Clock::now()).count();
  return left > 0.01 ? left : 0.01;
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
  auto lookup = std::make_shared<Lookup>();
  std::thread([lookup, host = shared_->host, service = QByteArray::number(shared_->port)] {
    http_addrlist_t* found = httpAddrGetList(host.constData(), AF_UNSPEC, service.constData());
    std::lock_guard lock(lookup->mutex);
    if (lookup->late && found) httpAddrFreeList(found);
    if (lookup->late) return;
    lookup->addresses = found;
    lookup->finished = true;
    lookup->done.notify_all();
  }).detach();
  Clock::time_point until;
  {
    std::lock_guard lock(shared_->mutex);
    until = shared_->deadline - kLookupMargin;
  }
  std::unique_lock lock(lookup->mutex);
  lookup->done.wait_until(lock, until, [&lookup] { return lookup->finished; });
  lookup->late = !lookup->finished;
  addresses_ = lookup->addresses;
  if (!addresses_) note(LinkFault::NoName);
  return addresses_ != nullptr;
}

bool ServerLink::connect() {
  Shared& s = *shared_;
  if (!addresses_ && !lookUp()) return false;
  // Made without connecting (a timeout of 0), so that the window's thread
  // can shut it down while TLS or the connection itself hangs.
  http_t* http = httpConnect2(s.host.constData(), s.port, addresses_, AF_UNSPEC, s.encryption, 1, 0, nullptr);
  if (!http) {
    note(LinkFault::NotRunning);
    return false;
  }
  {
    std::lock_guard lock(s.mutex);
    http_ = s.published = http;
  }
  httpSetTimeout(http, secondsLeft(), &ServerLink::OnTimeout, this);
  if (httpReconnect2(http, static_cast<int>(secondsLeft() * 1000), reinterpret_cast<int*>(&s.cancel)) == 0) return true;
  const bool pki = cupsLastError() == IPP_STATUS_ERROR_CUPS_PKI;
  if (!expired()) note(pki ? LinkFault::Encryption : LinkFault::NotRunning);
  return false;
}

bool ServerLink::reconnect() {
  if (http_) {
    {
      std::lock_guard lock(shared_->mutex);
      shared_->published = nullptr;
    }
    httpClose(http_);
    http_ = nullptr;
  }
  return !expired() && connect();
}

LinkFault ServerLink::fault() const {
  std::lock_guard lock(shared_->mutex);
  const Shared& s = *shared_;
  if (s.noted != LinkFault::None) return s.noted;
  if (s.abandoned || Clock::now() >= s.deadline) return LinkFault::NoAnswer;
  if (http_ && httpGetStatus(http_) == HTTP_STATUS_ERROR) return LinkFault::Closed;
  return LinkFault::None;
}

QString ServerLink::lastAnswer() const { return WithoutClosingStop(QString::fromUtf8(cupsLastErrorString())); }

void ServerLink::keepInReserve(int msBeforeDeadline) {
  std::lock_guard lock(shared_->mutex);
  shared_->shutDownAt =
      msBeforeDeadline > 0 ? shared_->deadline - std::chrono::milliseconds(msBeforeDeadline) : Clock::time_point::max();
  shared_->wakeWindow();
}

int ServerLink::OnTimeout(http_t*, void* self) {
  // libcups asks whether to go on waiting; until the deadline, yes.
  return static_cast<ServerLink*>(self)->expired() ? 0 : 1;
}

std::optional<Credentials> ServerLink::askOperator(const QString& user, bool again) {
  Shared& s = *shared_;
  std::unique_lock lock(s.mutex);
  if (s.abandoned) return std::nullopt;
  s.offered = user.toUtf8();
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
  Shared& s = *link.shared_;
  int answers = 0;
  QString user;
  {
    std::lock_guard lock(s.mutex);
    if (s.abandoned) return nullptr;
    answers = s.answers++;
    user = QString::fromUtf8(s.user);
  }
  if (answers >= kCredentialAnswers) {
    link.note(LinkFault::CredentialsRefused);
    return nullptr;
  }
  const std::optional<Credentials> answer = link.askOperator(user, answers > 0);
  if (!answer) {
    link.note(LinkFault::CredentialsCancelled);
    return nullptr;
  }
  std::lock_guard lock(s.mutex);
  s.user = answer->user.toUtf8();
  cupsSetUser(s.user.constData());
  s.password = answer->password.toUtf8();
  return s.password.constData();
}

}  // namespace vitayear::ui
