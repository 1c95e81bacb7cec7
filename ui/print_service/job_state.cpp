#include "job_state.h"

#include "ipp_request.h"

namespace vitayear::ui {

bool JobState::holdsThePage() const {
  if (!known || state < IPP_JSTATE_PENDING || state > IPP_JSTATE_COMPLETED || state == IPP_JSTATE_CANCELED ||
      state == IPP_JSTATE_ABORTED)
    return false;
  if (documents >= 0) return documents > 0;
  return !reasons.contains(QStringLiteral("job-incoming"));
}

bool JobState::heldForCredentials() const {
  return known && state == IPP_JSTATE_HELD && reasons.contains(QStringLiteral("cups-held-for-authentication"));
}

JobState AskJobState(ServerLink& link, const char* printerUri, int job) {
  const IppAnswer answer =
      AskAttributes(link, printerUri, job, {"job-state", "job-state-reasons", "number-of-documents"});
  JobState state;
  state.known = answer.given();
  state.state = answer.number("job-state");
  state.reasons = answer.texts("job-state-reasons");
  state.documents = answer.number("number-of-documents");
  return state;
}

void CancelJob(ServerLink& link, const char* printerUri, int job) {
  if (link.http() && printerUri) SendRequest(link, IppRequest(IPP_OP_CANCEL_JOB, printerUri, job), "/jobs/");
}

}  // namespace vitayear::ui
