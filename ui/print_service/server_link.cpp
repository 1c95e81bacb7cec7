#include "server_link.h"

#include "name_lookup.h"
#include "server_link_p.h"

namespace vitayear::ui {
namespace {

// The lookup gives up this many seconds before the deadline, so that the
// message can still say it was the lookup.
constexpr double kLookupMargin = 0.25;

}  // namespace

QByteArray ServerAddress(const QByteArray& host, int port) {
  return host.startsWith('/') ? host : host + ':' + QByteArray::number(port);
}

ServerLink::ServerLink(int budgetMs) : shared_(std::make_unique<Shared>()) {
  const CupsLibrary& cups = Cups();
  shared_->deadline = Clock::now() + std::chrono::milliseconds(budgetMs);
  shared_->host = cups.server();
  shared_->port = cups.port();
  shared_->encryption = cups.encryption();
  shared_->user = cups.user();
}

ServerLink::~ServerLink() {
  if (http_) Cups().close(http_);
  if (addresses_) Cups().addrFreeList(addresses_);
}

void ServerLink::enterWorkerThread() {
  const CupsLibrary& cups = Cups();
  // libcups keeps these per thread: the worker's must be the window's.
  cups.setServer(ServerAddress(shared_->host, shared_->port).constData());
  cups.setEncryption(shared_->encryption);
  cups.setUser(shared_->user.constData());
  // Never the terminal: the question goes to the window.
  cups.setPasswordCB2(&ServerLink::OnPassword, this);
}

double ServerLink::secondsLeft() const {
  std::lock_guard lock(shared_->mutex);
  const auto left = std::chrono::duration<double>(shared_->deadline - Clock::now()).count();
  return left > 0.01 ? left : 0.01;
}

bool ServerLink::expired() const {
  std::lock_guard lock(shared_->mutex);
  return shared_->abandoned || Clock::now() >= shared_->deadline;
}

bool ServerLink::lookUp() {
  addresses_ = LookUpName(shared_->host, shared_->port, [this] { return secondsLeft() > kLookupMargin && !expired(); });
  if (addresses_) return true;
  std::lock_guard lock(shared_->mutex);
  shared_->noName = true;
  return false;
}

bool ServerLink::connect() {
  const CupsLibrary& cups = Cups();
  Shared& s = *shared_;
  if (!addresses_ && !lookUp()) return false;
  // Made without connecting (a timeout of 0), so that the window's thread
  // can shut it down while TLS or the connection itself hangs.
  http_t* http = cups.connect(s.host.constData(), s.port, addresses_, AF_UNSPEC, s.encryption, 1, 0, nullptr);
  if (!http) {
    std::lock_guard lock(s.mutex);
    s.refused = true;
    return false;
  }
  {
    std::lock_guard lock(s.mutex);
    http_ = http;
    s.published = http;
  }
  cups.setTimeout(http, secondsLeft(), &ServerLink::OnTimeout, this);
  const int millis = static_cast<int>(secondsLeft() * 1000);
  if (cups.reconnect(http, millis, reinterpret_cast<int*>(&s.cancel)) == 0) return true;
  noteConnectFailure();
  return false;
}

void ServerLink::noteConnectFailure() {
  const bool pki = Cups().lastError() == IPP_STATUS_ERROR_CUPS_PKI;
  Shared& s = *shared_;
  std::lock_guard lock(s.mutex);
  if (s.abandoned || Clock::now() >= s.deadline)
    s.timedOut = true;
  else if (pki)
    s.tls = true;
  else
    s.refused = true;
}

bool ServerLink::reconnect() {
  if (http_) {
    {
      std::lock_guard lock(shared_->mutex);
      shared_->published = nullptr;
    }
    Cups().close(http_);
    http_ = nullptr;
  }
  if (expired()) return false;
  return connect();
}

LinkFault ServerLink::fault() const {
  std::lock_guard lock(shared_->mutex);
  const Shared& s = *shared_;
  if (s.credentialsRefused) return LinkFault::CredentialsRefused;
  if (s.credentialsCancelled) return LinkFault::CredentialsCancelled;
  if (s.noName) return LinkFault::NoName;
  if (s.tls) return LinkFault::Encryption;
  if (s.refused) return LinkFault::NotRunning;
  if (s.timedOut || s.abandoned || Clock::now() >= s.deadline) return LinkFault::NoAnswer;
  if (http_ && Cups().status(http_) == HTTP_STATUS_ERROR) return LinkFault::Closed;
  return LinkFault::None;
}

QString WithoutClosingStop(QString text) {
  text = text.trimmed();
  while (text.endsWith(u'.')) text.chop(1);
  return text;
}

QString ServerLink::lastAnswer() const { return WithoutClosingStop(QString::fromUtf8(Cups().lastErrorString())); }

void ServerLink::keepInReserve(int msBeforeDeadline) {
  std::lock_guard lock(shared_->mutex);
  shared_->shutDownAt =
      msBeforeDeadline > 0 ? shared_->deadline - std::chrono::milliseconds(msBeforeDeadline) : Clock::time_point::max();
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
  s.changed.notify_all();
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
    if (s.answers >= kCredentialAnswers) {
      s.credentialsRefused = true;
      return nullptr;
    }
    answers = s.answers++;
    user = QString::fromUtf8(s.user);
  }
  const std::optional<Credentials> answer = link.askOperator(user, answers > 0);
  std::lock_guard lock(s.mutex);
  if (!answer) {
    s.credentialsCancelled = true;
    return nullptr;
  }
  s.user = answer->user.toUtf8();
  Cups().setUser(s.user.constData());
  s.password = answer->password.toUtf8();
  return s.password.constData();
}

}  // namespace vitayear::ui
