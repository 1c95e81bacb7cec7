// A job held until its printer gets a user name and password (a Windows
// share, say): answered from the operator and released, or cancelled when
// the operator cannot give them. On the print worker's thread.
#pragma once

#include "job_state.h"
#include "link_fault.h"

namespace vitayear::ui {

// A queue that asks for credentials holds the job only once its backend has
// tried, so the job is watched until it prints, or is held and answered, as
// often as the operator may answer. `state` ends as the job's last state;
// the fault is why the job was cancelled, None when it was not.
LinkFault WatchForCredentials(ServerLink& link, const char* printerUri, int job, JobState& state);

}  // namespace vitayear::ui
