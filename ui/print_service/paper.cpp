#include "paper.h"

#include <langinfo.h>

#include <QFile>
#include <QPageSize>
#include <QSizeF>
#include <algorithm>
#include <cstdint>

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

Paper WithUsableMargins(Paper paper) {
  if (paper.left + paper.right >= paper.width || paper.top + paper.bottom >= paper.length)
    paper.left = paper.top = paper.right = paper.bottom = 0;
  return paper;
}

double PaperFitScale(const Paper& paper) {
  const TwipsBox content = PrintContentBounds();
  const double width = (content.right - content.left) * kPerTwip;
  const double height = (content.bottom - content.top) * kPerTwip;
  const double printableWidth = paper.width - paper.left - paper.right;
  const double printableLength = paper.length - paper.top - paper.bottom;
  return std::min({1.0, printableWidth / width, printableLength / height});
}

QString Described(const Paper& paper) {
  const QString size = QStringLiteral("%1 x %2 mm").arg(Number(paper.width), Number(paper.length));
  return paper.name.isEmpty() ? size : QStringLiteral("%1 (%2)").arg(paper.name, size);
}

}  // namespace vitayear::ui
