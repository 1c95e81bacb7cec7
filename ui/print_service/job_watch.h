// A watch over the job and its queue once the page is handed over, on the
// print worker's thread.
#pragma once

#include <QString>

#include "print_outcome.h"
#include "server_link.h"

namespace vitayear::ui {

struct Look {
  QString notice;                       // the page is waiting, and why; empty when nothing holds it back
  LinkFault dropped = LinkFault::None;  // the job was cancelled for this
};

// A watch over the job and its queue after the page was handed over, until
// the job prints or is done, or something holds it back, or the deadline is
// near; what holds it back is told in the server's and the administrator's
// words. A printer that is switched off is found out only once its backend
// has tried it, about a second after the job starts. A job held until its
// printer gets a user name and password (a Windows share, say) is answered
// from the operator and released, or cancelled when the operator cannot
// give them.
Look LookAtJobAndQueue(ServerLink& link, const char* printerUri, int job, const QString& printer);

}  // namespace vitayear::ui
