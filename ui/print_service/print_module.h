// The print service as a module of its own: it links libcups, and the
// program loads it at the first Print, so that libcups and the TLS,
// Kerberos and Avahi libraries behind it cost nothing at start-up.
#pragma once

#include "credentials.h"
#include "page_painter.h"
#include "print_outcome.h"

namespace vitayear::ui {

// What the program hands the module for one page.
struct PrintCall {
  const PrintoutTexts* texts = nullptr;
  int boundMs = 0;
  CredentialsPrompt prompt;  // the server's question for a password, on the window's thread
};

// The module's entry point, by the name the program resolves: prints the
// page on the default printer and sets `result`, within the call's bound.
inline constexpr char kPrintEntry[] = "vitayear_print_page";
using PrintEntry = void (*)(const PrintCall& call, PrintResult& result);

}  // namespace vitayear::ui
