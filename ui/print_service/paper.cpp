#include "paper.h"

#include <langinfo.h>

#include <QBuffer>
#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "print_layout.h"
#include "server_link.h"
#include "twips.h"

namespace vitayear::ui {
namespace {

// Hundredths of a millimetre in a twip: 2540 to the inch, 1440 twips to it.
constexpr double kPerTwip = 2540.0 / 1440.0;

// The paper's everyday name, where it is a standard size.
QString NameOf(int width, int length) {
  const QPageSize size(QSizeF(width / 100.0, length / 100.0), QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
  return size.id() == QPageSize::Custom ? QString() : QPageSize::key(size.id());
}

Paper WithUsableMargins(Paper paper) {
  if (paper.left + paper.right >= paper.width || paper.top + paper.bottom >= paper.length)
    paper.left = paper.top = paper.right = paper.bottom = 0;
  return paper;
}

QString Number(int hundredths) {
  QString text = QString::number(hundredths / 100.0, 'f', 1);
  if (text.endsWith(QStringLiteral(".0"))) text.chop(2);
  return text;
}

}  // namespace

Paper Sized(int width, int length, int left, int top, int right, int bottom) {
  return WithUsableMargins({NameOf(width, length), width, length, left, top, right, bottom});
}

Paper SystemPaper() {
  QByteArray name = qgetenv("PAPERSIZE").trimmed();
  if (name.isEmpty()) {
    QFile file(qEnvironmentVariableIsSet("PAPERCONF") ? qEnvironmentVariable("PAPERCONF")
                                                      : QStringLiteral("/etc/papersize"));
    if (file.open(QIODevice::ReadOnly))
      for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.trimmed().isEmpty() && !line.trimmed().startsWith('#')) {
          name = line.simplified().split(' ').first();
          break;
        }
  }
  // libpaper's names are Qt's keys in lower case: "a4", "letter", "legal".
  for (int id = 0; id < QPageSize::LastPageSize && !name.isEmpty(); ++id) {
    const auto known = static_cast<QPageSize::PageSizeId>(id);
    if (QPageSize::key(known).compare(QLatin1String(name), Qt::CaseInsensitive) != 0) continue;
    const QSizeF size = QPageSize::size(known, QPageSize::Millimeter);
    return Sized(qRound(size.width() * 100), qRound(size.height() * 100));
  }
  // The locale's paper, in millimetres (A4 in the C locale).
  const auto millimetres = [](nl_item item) { return static_cast<int>(reinterpret_cast<intptr_t>(nl_langinfo(item))); };
  const int width = millimetres(_NL_PAPER_WIDTH), length = millimetres(_NL_PAPER_HEIGHT);
  return width > 0 && length > 0 ? Sized(width * 100, length * 100) : Sized(21000, 29700);
}

double PaperFitScale(const Paper& paper) {
  const TwipsBox content = PrintContentBounds();
  const double width = (content.right - content.left) * kPerTwip;
  const double height = (content.bottom - content.top) * kPerTwip;
  const double printableWidth = paper.width - paper.left - paper.right;
  const double printableLength = paper.length - paper.top - paper.bottom;
  return std::min({1.0, printableWidth / width, printableLength / height});
}

namespace {

// The sizes the printer states, each with its margins.
std::vector<Paper> PrinterPapers(ServerLink& link, const Destination& printer) {
  std::vector<Paper> papers;
  const int count = cupsGetDestMediaCount(link.http, printer.dest, printer.info, CUPS_MEDIA_FLAGS_DEFAULT);
  for (int i = 0; i < count; ++i) {
    cups_size_t size{};
    if (cupsGetDestMediaByIndex(link.http, printer.dest, printer.info, i, CUPS_MEDIA_FLAGS_DEFAULT, &size))
      papers.push_back(Sized(size.width, size.length, size.left, size.top, size.right, size.bottom));
  }
  return papers;
}

// The paper a media name ("A5", "iso_a5_148x210mm") stands for, with the
// printer's margins: the nearest size it states within 2 mm (a PPD's sizes
// are whole points), with the widest margins stated for it. Not libcups's
// match, which takes a queue's custom size range for the size, margins lost.
std::optional<Paper> Named(ServerLink& link, const Destination& printer, const QByteArray& name) {
  pwg_media_t* media = pwgMediaForPWG(name.constData());
  if (!media) media = pwgMediaForLegacy(name.constData());
  if (!media) media = pwgMediaForPPD(name.constData());
  if (!media || media->width <= 0 || media->length <= 0) return std::nullopt;
  const auto margins = [](const Paper& paper) { return paper.left + paper.top + paper.right + paper.bottom; };
  std::optional<Paper> nearest;
  for (const Paper& stated : PrinterPapers(link, printer)) {
    if (std::abs(stated.width - media->width) > 200 || std::abs(stated.length - media->length) > 200) continue;
    if (!nearest || margins(stated) > margins(*nearest)) nearest = stated;
  }
  return nearest.value_or(Sized(media->width, media->length));
}

// The queue's default paper and margins, as it states them in media-col.
std::optional<Paper> QueueDefault(ServerLink& link, const Destination& printer) {
  ipp_attribute_t* media = cupsFindDestDefault(link.http, printer.dest, printer.info, "media-col");
  ipp_t* col = media ? ippGetCollection(media, 0) : nullptr;
  ipp_attribute_t* size = col ? ippFindAttribute(col, "media-size", IPP_TAG_BEGIN_COLLECTION) : nullptr;
  ipp_t* dimensions = size ? ippGetCollection(size, 0) : nullptr;
  const auto number = [](ipp_t* in, const char* name) {
    ipp_attribute_t* attribute = in ? ippFindAttribute(in, name, IPP_TAG_INTEGER) : nullptr;
    return attribute ? ippGetInteger(attribute, 0) : 0;
  };
  const int width = number(dimensions, "x-dimension"), length = number(dimensions, "y-dimension");
  if (width <= 0 || length <= 0) return std::nullopt;
  return Sized(width, length, number(col, "media-left-margin"), number(col, "media-top-margin"),
               number(col, "media-right-margin"), number(col, "media-bottom-margin"));
}

}  // namespace

Paper ChoosePaper(ServerLink& link, const Destination& printer) {
  // "media" may also name a tray or a type after the size: "A5,tray-2".
  const QByteArray media =
      QByteArray(cupsGetOption("media", printer.dest->num_options, printer.dest->options)).split(',').first().trimmed();
  if (!media.isEmpty())
    if (std::optional<Paper> named = Named(link, printer, media)) return *named;
  if (std::optional<Paper> queue = QueueDefault(link, printer)) return *queue;
  return SystemPaper();
}

std::optional<Paper> SmallestPaperThatFits(ServerLink& link, const Destination& printer) {
  std::optional<Paper> smallest;
  for (const Paper& paper : PrinterPapers(link, printer)) {
    if (PaperFitScale(paper) < kSmallestPaperScale) continue;
    if (!smallest || qint64(paper.width) * paper.length < qint64(smallest->width) * smallest->length) smallest = paper;
  }
  return smallest;
}

QString Described(const Paper& paper) {
  const QString size = QStringLiteral("%1 x %2 mm").arg(Number(paper.width), Number(paper.length));
  return paper.name.isEmpty() ? size : QStringLiteral("%1 (%2)").arg(paper.name, size);
}

QByteArray PagePdf(const PrintoutTexts& texts, const Paper& paper) {
  const qreal scale = PaperFitScale(paper);
  QByteArray pdf;
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setResolution(96);  // one dot is 15 twips, as on screen
  writer.setTitle(QString::fromLatin1(kDocumentTitle));
  writer.setCreator(QString::fromLatin1(kDocumentTitle));
  const QPageSize size(QSizeF(paper.width / 100.0, paper.length / 100.0), QPageSize::Millimeter, QString(),
                       QPageSize::FuzzyMatch);
  const QMarginsF margins(paper.left / 100.0, paper.top / 100.0, paper.right / 100.0, paper.bottom / 100.0);
  writer.setPageLayout(QPageLayout(size, QPageLayout::Portrait, margins, QPageLayout::Millimeter));
  // The content centred across the printable width, the window's top at its
  // top, or higher where the content would otherwise run off its bottom.
  const TwipsBox content = PrintContentBounds();
  QPainter painter(&writer);
  painter.translate((writer.width() - Pixels(content.right - content.left) * scale) / 2 - Pixels(content.left) * scale,
                    std::min(0.0, writer.height() - Pixels(content.bottom) * scale));
  painter.scale(scale, scale);
  PaintPrintout(painter, texts, QPointF(0, 0));
  painter.end();
  return pdf;
}

}  // namespace vitayear::ui
