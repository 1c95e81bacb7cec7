// Prints the printout as one page on the spooler's default printer, through
// the print module: it links libcups, and is loaded at the first Print, so
// that libcups and the TLS, Kerberos and Avahi libraries behind it cost
// nothing at start-up.
#pragma once

#include "credentials_dialog.h"
#include "page_painter.h"
#include "print_outcome.h"

namespace vitayear::ui {

// From the click to the job accepted or a message, whatever is slow.
inline constexpr int kPrintBoundMs = 9000;

// Synchronous: returns once the spooler has accepted or refused the job, or
// at `boundMs` at the latest. A server that asks for a password is answered
// in a dialog over `window`.
PrintResult PrintOnDefaultPrinter(const PrintoutTexts& texts, QWidget* window = nullptr, int boundMs = kPrintBoundMs);

// What the program hands the module for one page, and the module's entry
// point, exported by this name: it prints and sets `result`.
struct PrintCall {
  const PrintoutTexts* texts = nullptr;
  int boundMs = 0;
  CredentialsPrompt prompt;
};
inline constexpr char kPrintEntry[] = "vitayear_print_page";
using PrintEntry = void (*)(const PrintCall& call, PrintResult& result);

}  // namespace vitayear::ui
