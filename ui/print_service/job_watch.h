// The watch over a job once the page is handed over, on a thread of the
// module's: the window takes input meanwhile.
#pragma once

#include "server_link.h"

namespace vitayear::ui {

struct WatchedJob {
  QString server;  // as the messages name it
  QString printer;
  QByteArray uri;  // the printer's
  int job = 0;
};

// Until the job is printed, cancelled or aborted, or the window stops the
// watch. A job held for a user name and password (a Windows share) is asked
// of the operator, whatever its queue states; a page that waits (held,
// paused, the printer out of reach) is told once for each time it starts to.
void WatchJob(ServerLink& link, const WatchedJob& job, JobWatch& watch);

}  // namespace vitayear::ui
