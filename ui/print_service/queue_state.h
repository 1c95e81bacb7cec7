// What the server says of a queue: asked on the print worker's thread.
#pragma once

#include <QString>
#include <QStringList>

#include "server_link.h"

namespace vitayear::ui {

struct QueueState {
  bool known = false;
  int state = 0;    // ipp_pstate_t
  QString message;  // the backend's or the administrator's words, without a closing stop
  QStringList reasons;

  // The device cannot be reached: the backend keeps trying and says so in
  // its reasons (offline-report, or an error of the device), which read
  // the same in every language. Backends that give no reason (socket, and
  // ipp where the connection is refused) are known by CUPS's own words for
  // it, in the language of the job: the backend speaks the job's language,
  // which is the operator's. "Connecting to printer" and the like are no news.
  bool unreachable() const;
};

QueueState AskQueue(ServerLink& link, const char* printerUri);

// The administrator's reason for a queue's state, without its closing full
// stop; empty when none is given.
QString QueueReason(ServerLink& link, const char* printerUri);

}  // namespace vitayear::ui
