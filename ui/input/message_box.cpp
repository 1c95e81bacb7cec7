#include "message_box.h"

namespace vitayear::ui {

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const QString& text) {
  auto box =
      std::make_unique<QMessageBox>(QMessageBox::NoIcon, QStringLiteral("Vitayear"), text, QMessageBox::Ok, parent);
  box->setTextFormat(Qt::PlainText);  // a typed name must never turn into markup
  return box;
}

}  // namespace vitayear::ui
