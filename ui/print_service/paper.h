// A sheet of paper, and the page on it as the printer gets it: a PDF, drawn
// smaller on paper too small for the page, not at all on paper far too small.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "page_painter.h"

namespace vitayear::ui {

class ServerLink;
struct Destination;

// Sizes and the margins the printer cannot print on, in hundredths of a
// millimetre, as the spooler states them.
struct Paper {
  QString name;  // as people know it: "A5", "US Letter"
  int width = 0, length = 0, left = 0, top = 0, right = 0, bottom = 0;
};

// With its everyday name where it is a standard size; margins that leave
// nothing to print on are no margins at all.
Paper Sized(int width, int length, int left = 0, int top = 0, int right = 0, int bottom = 0);

// PAPERSIZE, else the papersize file (PAPERCONF, /etc/papersize), else the locale's.
Paper SystemPaper();

// Below this the figures would be too small to read: nothing is printed.
constexpr double kSmallestPaperScale = 0.6;

// The scale, at most 1, at which the page fits the printable area.
double PaperFitScale(const Paper& paper);

// On the print worker's thread: the media the user's lpoptions name, else
// the queue's default, else the system's paper for a queue that states none.
Paper ChoosePaper(ServerLink& link, const Destination& printer);

// The printer's smallest paper that takes the page at kSmallestPaperScale or more.
std::optional<Paper> SmallestPaperThatFits(ServerLink& link, const Destination& printer);

// As the paper is known: "A5 (148 x 210 mm)", "28.6 x 88.9 mm".
QString Described(const Paper& paper);

// The title of the PDF and of the print job.
inline constexpr char kDocumentTitle[] = "Vitayear";

QByteArray PagePdf(const PrintoutTexts& texts, const Paper& paper);

}  // namespace vitayear::ui
