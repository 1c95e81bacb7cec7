#include "fonts.h"

#include <QString>
#include <algorithm>
#include <cmath>

namespace vitayear::ui {
namespace {

void RegisterFontSubstitutes() {
  static const bool once = [] {
    QFont::insertSubstitution(QStringLiteral("Arial Unicode MS"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    return true;
  }();
  (void)once;
}

}  // namespace

QFont ControlFont(const char* face, double points, double scale) {
  RegisterFontSubstitutes();
  QFont font(QString::fromLatin1(face));
  // Rounded down: a smaller window's text must fit where it fitted before.
  // Every size of the layouts is a whole number of pixels at scale 1.
  font.setPixelSize(std::max(1, static_cast<int>(std::floor(points * 96.0 / 72.0 * scale + 1e-9))));
  font.setBold(true);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace vitayear::ui
