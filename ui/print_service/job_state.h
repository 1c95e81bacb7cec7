// What the server says of a job: asked on the print worker's thread.
#pragma once

#include <QStringList>

#include "server_link.h"

namespace vitayear::ui {

struct JobState {
  bool known = false;  // the server answered
  int state = 0;       // ipp_jstate_t
  QStringList reasons;
  int documents = -1;  // -1 when the server does not say

  // The spooler has the whole page: it prints, or waits to.
  bool holdsThePage() const;
  // It is held until its printer gets a user name and password.
  bool heldForCredentials() const;
};

JobState AskJobState(ServerLink& link, const char* printerUri, int job);

// Cancels the job, as the printing user.
void CancelJob(ServerLink& link, const char* printerUri, int job);

}  // namespace vitayear::ui
