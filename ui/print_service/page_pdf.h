// The page as the printer gets it: a PDF in memory.
#pragma once

#include <QByteArray>

#include "page_painter.h"
#include "paper.h"

namespace vitayear::ui {

// The title of the PDF and of the print job.
inline constexpr char kDocumentTitle[] = "Vitayear";

// On the job's paper within its margins, drawn smaller where it does not
// fit them.
QByteArray PagePdf(const PrintoutTexts& texts, const Paper& media);

}  // namespace vitayear::ui
