// A watch over the job and its queue once the page is handed over, on the
// print worker's thread.
#pragma once

#include "server_link.h"

namespace vitayear::ui {

struct Look {
  QString notice;                       // the page is waiting, and why; empty when nothing holds it back
  LinkFault dropped = LinkFault::None;  // the job was cancelled for this
};

// Until the job prints or is done, something holds it back, or the deadline is
// near; a printer switched off shows once its backend tried it. A job held for
// a password (a Windows share) is answered from the operator, or cancelled.
Look LookAtJobAndQueue(ServerLink& link, const char* printerUri, int job, const QString& printer);

}  // namespace vitayear::ui
