// Prints the printout as one page on the spooler's default printer.
#pragma once

#include "page_painter.h"
#include "print_result.h"

class QWidget;

namespace vitayear::ui {

// Synchronous: returns once the spooler has accepted or refused the job. A
// server that asks for a password is answered in a dialog over `window`.
PrintResult PrintOnDefaultPrinter(const PrintoutTexts& texts, QWidget* window = nullptr);

}  // namespace vitayear::ui
