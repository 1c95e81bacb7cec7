// Prints the printout as one page on the spooler's default printer.
#pragma once

#include <QString>

#include "page_painter.h"

namespace vitayear::ui {

struct PrintResult {
  bool ok = false;
  QString problem;  // what went wrong, for a person to read; empty when ok
  QString notice;   // something worth knowing although the page was queued
};

// Synchronous: returns once the spooler has accepted or refused the job.
PrintResult PrintOnDefaultPrinter(const PrintoutTexts& texts);

}  // namespace vitayear::ui
