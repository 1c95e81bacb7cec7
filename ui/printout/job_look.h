// What the server says of a job and of its queue once the page is handed
// over, or once handing it over failed: asked on the print worker's thread.
#pragma once

#include <QString>
#include <QStringList>

#include "print_worker.h"

namespace vitayear::ui {

struct JobState {
  bool known = false;  // the server answered
  int state = 0;       // IPP job-state (ipp_jstate_t)
  QStringList reasons;
  int documents = -1;  // -1 when the server does not say

  // The spooler has the whole page: it prints, or waits to.
  bool holdsThePage() const;
};

JobState AskJobState(ServerLink& link, const char* printerUri, int job);

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

// Cancels the job, as the printing user.
void CancelJob(ServerLink& link, const char* printerUri, int job);

// The administrator's reason for a queue's state, without its closing full
// stop; empty when none is given.
QString QueueReason(ServerLink& link, const char* printerUri);

}  // namespace vitayear::ui
