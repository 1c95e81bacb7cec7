#include "fonts.h"

#include <QString>
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

QFont ControlFont(const char* face, double points) {
  RegisterFontSubstitutes();
  QFont font(QString::fromLatin1(face));
  font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
  font.setBold(true);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace vitayear::ui
