// Requests to the print server about a job or a queue, as the printing user,
// and what its answers say. On the print worker's thread.
#pragma once

#include <QString>
#include <QStringList>

#include "server_link.h"

namespace vitayear::ui {

struct JobState {
  bool known = false;  // the server answered
  int state = 0;       // ipp_jstate_t
  QStringList reasons;
  int documents = -1;      // -1 when the server does not say
  QString printerMessage;  // the backend's words kept for the job: its last, or its first error

  bool holdsThePage() const;        // the whole page: it prints, or waits to
  bool heldForCredentials() const;  // until its printer gets a user name and password
};

struct QueueState;
// The backend reported an error and goes on trying (the job still printing):
// an smb backend that cannot connect says so once, then that it retries.
bool BackendRetrying(const JobState& job, const QueueState& queue);

struct QueueState {
  bool known = false;
  int state = 0;    // ipp_pstate_t
  QString message;  // the backend's or the administrator's words, without a closing stop
  QStringList reasons;

  // The backend cannot reach the device, and says so in its reasons, or, where
  // it gives none (socket; ipp, refused), in CUPS's words in the job's
  // language, which is the operator's. "Connecting to printer" is no news.
  bool unreachable() const;
};

JobState AskJobState(ServerLink& link, const char* printerUri, int job);
QueueState AskQueue(ServerLink& link, const char* printerUri);
// The administrator's reason for the queue's state; empty when none is given.
QString QueueReason(ServerLink& link, const char* printerUri);
void CancelJob(ServerLink& link, const char* printerUri, int job);
// What the queue's backend asks for, if the operator can answer it: a user
// name and a password (not a Kerberos ticket, not a domain of its own). A
// queue that states nothing (a share's, until the server restarts) has held
// the job for just these.
QStringList CredentialsAskedFor(ServerLink& link, const char* printerUri);
// Hands them to the spooler for the held job, which releases it.
bool Authenticate(ServerLink& link, const char* printerUri, int job, const QStringList& asked,
                  const Credentials& given);

}  // namespace vitayear::ui
