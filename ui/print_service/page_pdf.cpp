#include "page_pdf.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "print_layout.h"
#include "twips.h"

namespace vitayear::ui {
namespace {

constexpr int kDotsPerInch = 96;  // one dot is 15 twips, as on screen

// Where the printout window's top-left corner goes within the printable area
// (dots at 96 per inch), the page drawn at `scale`: the content, which starts
// well right of the window's edge, is centred across the printable width; the
// window's top is at the printable area's top, or higher where the content
// would otherwise run off its bottom.
QPointF PrintoutOrigin(QSizeF printableDots, qreal scale) {
  const TwipsBox content = PrintContentBounds();
  const qreal contentWidth = Pixels(content.right - content.left) * scale;
  return {(printableDots.width() - contentWidth) / 2 - Pixels(content.left) * scale,
          std::min(0.0, printableDots.height() - Pixels(content.bottom) * scale)};
}

}  // namespace

QByteArray PagePdf(const PrintoutTexts& texts, const Paper& media) {
  const qreal scale = PaperFitScale(media);
  QByteArray pdf;
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setResolution(kDotsPerInch);
  writer.setTitle(QString::fromLatin1(kDocumentTitle));
  writer.setCreator(QString::fromLatin1(kDocumentTitle));
  const QPageSize paper(QSizeF(media.width / 100.0, media.length / 100.0), QPageSize::Millimeter, QString(),
                        QPageSize::FuzzyMatch);
  const QMarginsF margins(media.left / 100.0, media.top / 100.0, media.right / 100.0, media.bottom / 100.0);
  writer.setPageLayout(QPageLayout(paper, QPageLayout::Portrait, margins, QPageLayout::Millimeter));
  QPainter painter(&writer);
  painter.translate(PrintoutOrigin(QSizeF(writer.width(), writer.height()), scale));
  painter.scale(scale, scale);
  PaintPrintout(painter, texts, QPointF(0, 0));
  painter.end();
  return pdf;
}

}  // namespace vitayear::ui
