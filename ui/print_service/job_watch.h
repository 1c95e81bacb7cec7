// The watch over jobs once their pages are handed over: one thread of the
// module's for them all, however many pages wait, so the window takes input
// meanwhile and a paused queue full of pages costs no thread or connection
// each.
#pragma once

#include <memory>

#include "server_link.h"

namespace vitayear::ui {

struct WatchedJob {
  QString server;  // as the messages name it
  QString printer;
  QByteArray uri;  // the printer's
  int job = 0;
};

// From now until the job is printed, cancelled or aborted, or the window
// stops the watch, over `link`'s settings. A job held for a user name and
// password (a Windows share) is asked of the operator, whatever its queue
// states; a page that waits (held, paused, the printer out of reach) is
// told once for each time it starts to.
void WatchJob(std::shared_ptr<ServerLink> link, WatchedJob job, std::shared_ptr<JobWatch> watch);

}  // namespace vitayear::ui
