#include "print_server.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <cerrno>

namespace vitayear::ui {
namespace {

// How often a wait looks at the deadline and lets the windows repaint.
constexpr int kSliceMs = 100;
constexpr double kSliceSeconds = kSliceMs / 1000.0;

void KeepRepainting() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

}  // namespace

PrintServer::PrintServer(int budgetMs) : deadline_(budgetMs) {
  const CupsLibrary& cups = Cups();
  const char* host = cups.server();
  // Connect in short slices: one long connect would freeze the window.
  while (!http_) {
    errno = 0;
    http_ = cups.connect(host, cups.port(), nullptr, AF_UNSPEC, cups.encryption(), 1, kSliceMs, nullptr);
    if (http_) break;
    if (errno != ETIMEDOUT && errno != EINPROGRESS && errno != EAGAIN) {
      refused_ = true;
      return;
    }
    if (deadline_.hasExpired()) {
      timedOut_ = true;
      return;
    }
    KeepRepainting();
  }
  cups.setTimeout(http_, kSliceSeconds, &PrintServer::OnTimeout, this);
}

PrintServer::~PrintServer() {
  if (http_) Cups().close(http_);
}

QString PrintServer::Name() {
  const CupsLibrary& cups = Cups();
  const QString host = QString::fromLocal8Bit(cups.server());
  if (host.startsWith(u'/')) return host;
  return QStringLiteral("%1:%2").arg(host).arg(cups.port());
}

PrintServer::Fault PrintServer::fault() const {
  if (refused_) return Fault::NotRunning;
  if (timedOut_) return Fault::NoAnswer;
  if (http_ && Cups().status(http_) == HTTP_STATUS_ERROR) return Fault::Closed;
  return Fault::None;
}

int PrintServer::OnTimeout(http_t*, void* self) {
  auto* server = static_cast<PrintServer*>(self);
  if (server->deadline_.hasExpired()) {
    server->timedOut_ = true;
    return 0;  // give up the request
  }
  KeepRepainting();
  return 1;  // go on waiting
}

}  // namespace vitayear::ui
