// Prints the printout as one page on the spooler's default printer.
#pragma once

#include <QPointF>
#include <QSizeF>
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

// Where the printout window's top-left corner goes within the printable area
// (dots at 96 per inch): the content, which starts well right of the window's
// edge, is centred across the printable width, the window's top at its top.
QPointF PrintoutOrigin(QSizeF printableDots);

}  // namespace vitayear::ui
