#include "announcer.h"

#include <QAccessible>

namespace vitayear::ui {

Announcer::Announcer(QWidget* window) : QWidget(window) {
  setFocusPolicy(Qt::NoFocus);
  setGeometry(0, 0, 0, 0);
  hide();
}

void Announcer::announce(QWidget* about, const QString& text) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
  QAccessibleAnnouncementEvent event(about, text);
  QAccessible::updateAccessibility(&event);
#else
  // Qt 6.4 has no announcements, and screen readers do not read a label
  // whose text changes out of the way. A notification that appears is read.
  Q_UNUSED(about)
  hide();
  setAccessibleName(text);
  show();
#endif
}

}  // namespace vitayear::ui
