#include "paper_choice.h"

#include <langinfo.h>

#include <QFile>
#include <QPageSize>
#include <QSizeF>
#include <algorithm>
#include <cstdlib>

#include "print_layout.h"

namespace vitayear::ui {
namespace {

// Hundredths of a millimetre in a twip: 2540 to the inch, 1440 twips to it.
constexpr double kPerTwip = 2540.0 / 1440.0;

// The paper's everyday name, where it is a standard size.
QString NameOf(int width, int length) {
  const QPageSize size(QSizeF(width / 100.0, length / 100.0), QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
  return size.id() == QPageSize::Custom ? QString() : QPageSize::key(size.id());
}

Paper Sized(int width, int length, int left = 0, int top = 0, int right = 0, int bottom = 0) {
  return WithUsableMargins({NameOf(width, length), width, length, left, top, right, bottom});
}

Paper FromSize(const cups_size_t& size) {
  return Sized(size.width, size.length, size.left, size.top, size.right, size.bottom);
}

// The paper a media name stands for ("A5", "iso_a5_148x210mm"), with the
// printer's margins for it where the printer takes that size.
std::optional<Paper> Named(http_t* http, cups_dest_t* dest, cups_dinfo_t* info, const QByteArray& name) {
  const CupsLibrary& cups = Cups();
  cups_size_t size{};
  if (cups.getDestMediaByName(http, dest, info, name.constData(), CUPS_MEDIA_FLAGS_DEFAULT, &size))
    return FromSize(size);
  pwg_media_t* media = cups.pwgMediaForPWG(name.constData());
  if (!media) media = cups.pwgMediaForLegacy(name.constData());
  if (!media) media = cups.pwgMediaForPPD(name.constData());
  if (!media || media->width <= 0 || media->length <= 0) return std::nullopt;
  // The printer may state the size a little off (a PPD's sizes are whole
  // points), and beside it a variant with fewer margins than it can keep to:
  // the nearest size within 2 mm, with the widest margins stated for it.
  std::optional<Paper> nearest;
  int widest = -1;
  const int count = cups.getDestMediaCount(http, dest, info, CUPS_MEDIA_FLAGS_DEFAULT);
  for (int i = 0; i < count; ++i) {
    if (!cups.getDestMediaByIndex(http, dest, info, i, CUPS_MEDIA_FLAGS_DEFAULT, &size)) continue;
    if (std::abs(size.width - media->width) > 200 || std::abs(size.length - media->length) > 200) continue;
    const int margins = size.left + size.top + size.right + size.bottom;
    if (margins > widest) {
      widest = margins;
      nearest = FromSize(size);
    }
  }
  return nearest ? *nearest : Sized(media->width, media->length);
}

// The queue's default paper and margins, as it states them in media-col.
std::optional<Paper> QueueDefault(http_t* http, cups_dest_t* dest, cups_dinfo_t* info) {
  const CupsLibrary& cups = Cups();
  ipp_attribute_t* media = cups.findDestDefault(http, dest, info, "media-col");
  ipp_t* col = media ? cups.getCollection(media, 0) : nullptr;
  ipp_attribute_t* size = col ? cups.findAttribute(col, "media-size", IPP_TAG_BEGIN_COLLECTION) : nullptr;
  ipp_t* dimensions = size ? cups.getCollection(size, 0) : nullptr;
  if (!dimensions) return std::nullopt;
  const auto number = [&cups](ipp_t* in, const char* name) {
    ipp_attribute_t* attribute = cups.findAttribute(in, name, IPP_TAG_INTEGER);
    return attribute ? cups.getInteger(attribute, 0) : 0;
  };
  const int width = number(dimensions, "x-dimension"), length = number(dimensions, "y-dimension");
  if (width <= 0 || length <= 0) return std::nullopt;
  return Sized(width, length, number(col, "media-left-margin"), number(col, "media-top-margin"),
               number(col, "media-right-margin"), number(col, "media-bottom-margin"));
}

QString Number(int hundredths) {
  QString text = QString::number(hundredths / 100.0, 'f', 1);
  if (text.endsWith(QStringLiteral(".0"))) text.chop(2);
  return text;
}

}  // namespace

Paper ChoosePaper(http_t* http, cups_dest_t* dest, cups_dinfo_t* info) {
  // "media" may also name a tray or a type after the size: "A5,tray-2".
  const QByteArray media =
      QByteArray(Cups().getOption("media", dest->num_options, dest->options)).split(',').first().trimmed();
  if (!media.isEmpty())
    if (std::optional<Paper> named = Named(http, dest, info, media)) return *named;
  if (std::optional<Paper> queue = QueueDefault(http, dest, info)) return *queue;
  return SystemPaper();
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

Paper WithUsableMargins(Paper paper) {
  if (paper.left + paper.right >= paper.width || paper.top + paper.bottom >= paper.length)
    paper.left = paper.top = paper.right = paper.bottom = 0;
  return paper;
}

double FitScale(const Paper& paper) {
  const TwipsBox content = PrintContentBounds();
  const double width = (content.right - content.left) * kPerTwip;
  const double height = (content.bottom - content.top) * kPerTwip;
  const double printableWidth = paper.width - paper.left - paper.right;
  const double printableLength = paper.length - paper.top - paper.bottom;
  return std::min({1.0, printableWidth / width, printableLength / height});
}

std::optional<Paper> SmallestPaperThatFits(http_t* http, cups_dest_t* dest, cups_dinfo_t* info) {
  const CupsLibrary& cups = Cups();
  std::optional<Paper> smallest;
  const int count = cups.getDestMediaCount(http, dest, info, CUPS_MEDIA_FLAGS_DEFAULT);
  for (int i = 0; i < count; ++i) {
    cups_size_t size{};
    if (!cups.getDestMediaByIndex(http, dest, info, i, CUPS_MEDIA_FLAGS_DEFAULT, &size)) continue;
    const Paper paper = FromSize(size);
    if (FitScale(paper) < kSmallestScale) continue;
    if (!smallest || qint64(paper.width) * paper.length < qint64(smallest->width) * smallest->length) smallest = paper;
  }
  return smallest;
}

QString Described(const Paper& paper) {
  const QString size = QStringLiteral("%1 x %2 mm").arg(Number(paper.width), Number(paper.length));
  return paper.name.isEmpty() ? size : QStringLiteral("%1 (%2)").arg(paper.name, size);
}

}  // namespace vitayear::ui
