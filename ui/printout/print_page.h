// Prints the printout as one page on the spooler's default printer.
#pragma once

#include <QString>

#include "page_painter.h"

class QWidget;

namespace vitayear::ui {

struct PrintResult {
  bool ok = false;
  QString problem;  // what went wrong, for a person to read; empty when ok
  QString notice;   // something worth knowing although the page was queued
};

// Synchronous: returns once the spooler has accepted or refused the job. A
// server that asks for a password is answered in a dialog over `window`.
PrintResult PrintOnDefaultPrinter(const PrintoutTexts& texts, QWidget* window = nullptr);

}  // namespace vitayear::ui
