#include "accessible_factory.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>

#include "announcer.h"
#include "frmInput.h"
#include "report_accessible.h"
#include "selection_combo.h"
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
#include "text_box_accessible.h"
#endif

namespace vitayear::ui {
namespace {

// Asked with the class names of an object from its own class upwards.
QAccessibleInterface* Interface(const QString& className, QObject* object) {
  if (className == QLatin1String(FrmInput::staticMetaObject.className()))
    // A top-level widget is otherwise a "filler" whose title is not read.
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
  if (className == QLatin1String(ReportLabel::staticMetaObject.className()))
    return new ReportAccessible(static_cast<ReportLabel*>(object));
  if (className == QLatin1String(Announcer::staticMetaObject.className()))
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
  if (className == QLatin1String(QLineEdit::staticMetaObject.className())) {
    // A list's text is chosen, not edited: its selection, which comes and
    // goes with the focus, would be read out beside the list itself.
    const bool inList = qobject_cast<SelectionCombo*>(object->parent()) != nullptr;
    return new TextBoxAccessible(static_cast<QLineEdit*>(object), !inList);
  }
#endif
  return nullptr;
}

}  // namespace

void InstallAccessibleInterfaces() {
  static const bool installed = [] {
    QAccessible::installFactory(&Interface);
    return true;
  }();
  Q_UNUSED(installed)
}

}  // namespace vitayear::ui
