// The paper a job prints on, and how the page fits it: the user's own
// default media for the destination, else the queue's paper, else the
// system's; the page is drawn smaller on paper too small for it, and not at
// all on paper far too small.
#pragma once

#include <QString>
#include <optional>

#include "cups_library.h"

namespace vitayear::ui {

// Sizes and the margins the printer cannot print on, in hundredths of a
// millimetre, as the spooler states them.
struct Paper {
  QString name;  // as people know it: "A5", "US Letter"
  int width = 0, length = 0, left = 0, top = 0, right = 0, bottom = 0;
};

// On the print worker. The media the job asks for (the user's lpoptions, as
// lp reads them, else the queue's default), else the queue's default paper,
// else the system's paper for a queue that states none.
Paper ChoosePaper(http_t* http, cups_dest_t* dest, cups_dinfo_t* info);

// PAPERSIZE, else the papersize file (PAPERCONF, /etc/papersize), else the
// paper of the locale.
Paper SystemPaper();

// Margins that leave nothing to print on are taken as no margins at all.
Paper WithUsableMargins(Paper paper);

// Below this the figures would be too small to read: nothing is printed.
constexpr double kSmallestScale = 0.6;

// The scale, at most 1, at which the page's fields fit the printable area.
double FitScale(const Paper& paper);

// The printer's smallest paper that takes the page at kSmallestScale or more.
std::optional<Paper> SmallestPaperThatFits(http_t* http, cups_dest_t* dest, cups_dinfo_t* info);

// As the paper is known: "A5 (148 x 210 mm)", "28.6 x 88.9 mm".
QString Described(const Paper& paper);

}  // namespace vitayear::ui
