// The paper a job prints on: the user's own default media for the
// destination, else the queue's paper, else the system's. On the print
// worker's thread.
#pragma once

#include <optional>

#include "cups_library.h"
#include "paper.h"

namespace vitayear::ui {

// The media the job asks for (the user's lpoptions, as lp reads them, else
// the queue's default), else the queue's default paper, else the system's
// paper for a queue that states none.
Paper ChoosePaper(http_t* http, cups_dest_t* dest, cups_dinfo_t* info);

// The printer's smallest paper that takes the page at kSmallestPaperScale or more.
std::optional<Paper> SmallestPaperThatFits(http_t* http, cups_dest_t* dest, cups_dinfo_t* info);

}  // namespace vitayear::ui
