// Prints the printout as one page on the spooler's default printer.
#pragma once

#include "page_painter.h"
#include "print_outcome.h"

class QWidget;

namespace vitayear::ui {

// From the click to the job accepted or a message, whatever is slow.
inline constexpr int kPrintBoundMs = 9000;

// Synchronous: returns once the spooler has accepted or refused the job, or
// at `boundMs` at the latest. A server that asks for a password is answered
// in a dialog over `window`.
PrintResult PrintOnDefaultPrinter(const PrintoutTexts& texts, QWidget* window = nullptr, int boundMs = kPrintBoundMs);

}  // namespace vitayear::ui
