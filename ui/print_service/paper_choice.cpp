#include "paper_choice.h"

#include <QByteArray>
#include <QList>
#include <cstdlib>
#include <vector>

namespace vitayear::ui {
namespace {

Paper FromSize(const cups_size_t& size) {
  return Sized(size.width, size.length, size.left, size.top, size.right, size.bottom);
}

// The sizes the printer takes, with its margins for each.
std::vector<cups_size_t> PrinterSizes(http_t* http, cups_dest_t* dest, cups_dinfo_t* info) {
  const CupsLibrary& cups = Cups();
  std::vector<cups_size_t> sizes;
  const int count = cups.getDestMediaCount(http, dest, info, CUPS_MEDIA_FLAGS_DEFAULT);
  for (int i = 0; i < count; ++i) {
    cups_size_t size{};
    if (cups.getDestMediaByIndex(http, dest, info, i, CUPS_MEDIA_FLAGS_DEFAULT, &size)) sizes.push_back(size);
  }
  return sizes;
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
  for (const cups_size_t& stated : PrinterSizes(http, dest, info)) {
    if (std::abs(stated.width - media->width) > 200 || std::abs(stated.length - media->length) > 200) continue;
    const int margins = stated.left + stated.top + stated.right + stated.bottom;
    if (margins > widest) {
      widest = margins;
      nearest = FromSize(stated);
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

std::optional<Paper> SmallestPaperThatFits(http_t* http, cups_dest_t* dest, cups_dinfo_t* info) {
  std::optional<Paper> smallest;
  for (const cups_size_t& size : PrinterSizes(http, dest, info)) {
    const Paper paper = FromSize(size);
    if (PaperFitScale(paper) < kSmallestPaperScale) continue;
    if (!smallest || qint64(paper.width) * paper.length < qint64(smallest->width) * smallest->length) smallest = paper;
  }
  return smallest;
}

}  // namespace vitayear::ui
