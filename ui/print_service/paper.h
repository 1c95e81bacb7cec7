// A sheet of paper and how the page fits it: drawn smaller on paper too
// small for it, and not at all on paper far too small.
#pragma once

#include <QString>
#include <optional>

namespace vitayear::ui {

class ServerLink;
struct Destination;

// Sizes and the margins the printer cannot print on, in hundredths of a
// millimetre, as the spooler states them.
struct Paper {
  QString name;  // as people know it: "A5", "US Letter"
  int width = 0, length = 0, left = 0, top = 0, right = 0, bottom = 0;
};

// A paper of this size, with its everyday name where it is a standard one.
// Margins that leave nothing to print on are taken as no margins at all.
Paper Sized(int width, int length, int left = 0, int top = 0, int right = 0, int bottom = 0);

// PAPERSIZE, else the papersize file (PAPERCONF, /etc/papersize), else the
// paper of the locale.
Paper SystemPaper();

// Margins that leave nothing to print on are taken as no margins at all.
Paper WithUsableMargins(Paper paper);

// Below this the figures would be too small to read: nothing is printed.
constexpr double kSmallestPaperScale = 0.6;

// The scale, at most 1, at which the page's fields fit the paper's
// printable area.
double PaperFitScale(const Paper& paper);

// The paper the job prints on: the media it asks for (the user's lpoptions,
// as lp reads them, else the queue's default) as the printer states it,
// else the system's paper for a queue that states none. On the print
// worker's thread.
Paper ChoosePaper(ServerLink& link, const Destination& printer);

// The printer's smallest paper that takes the page at kSmallestPaperScale or more.
std::optional<Paper> SmallestPaperThatFits(ServerLink& link, const Destination& printer);

// As the paper is known: "A5 (148 x 210 mm)", "28.6 x 88.9 mm".
QString Described(const Paper& paper);

}  // namespace vitayear::ui
