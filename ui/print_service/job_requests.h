// Requests to the print server about a job or a queue, as the printing user,
// and what its answers say. On the print worker's thread.
#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>

#include "credentials_dialog.h"
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

JobState AskJobState(ServerLink& link, const char* printerUri, int job);
QueueState AskQueue(ServerLink& link, const char* printerUri);

// The administrator's reason for a queue's state, without its closing full
// stop; empty when none is given.
QString QueueReason(ServerLink& link, const char* printerUri);

// Cancels the job, as the printing user.
void CancelJob(ServerLink& link, const char* printerUri, int job);

// What the queue's backend asks for, when the operator can answer it: a user
// name and a password (not a Kerberos ticket, not a domain of its own).
QStringList CredentialsAskedFor(ServerLink& link, const char* printerUri);

// Hands the credentials to the spooler for the held job, which releases it.
bool Authenticate(ServerLink& link, const char* printerUri, int job, const QStringList& asked,
                  const Credentials& given);

}  // namespace vitayear::ui
