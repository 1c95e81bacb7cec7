#include "message_box.h"

#include <QPushButton>

namespace vitayear::ui {

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const QString& text) {
  auto box =
      std::make_unique<QMessageBox>(QMessageBox::NoIcon, QStringLiteral("Vitayear"), text, QMessageBox::Ok, parent);
  box->setTextFormat(Qt::PlainText);  // a typed name must never turn into markup
  return box;
}

bool AskCancelHeld(QWidget* parent, const QString& question, bool many) {
  const auto box = MakeMessageBox(parent, question);
  box->setStandardButtons(QMessageBox::NoButton);
  QPushButton* cancel = box->addButton(many ? QStringLiteral("&Cancel the pages") : QStringLiteral("&Cancel the page"),
                                       QMessageBox::DestructiveRole);
  QPushButton* leave = box->addButton(many ? QStringLiteral("&Leave them held") : QStringLiteral("&Leave it held"),
                                      QMessageBox::RejectRole);
  box->setDefaultButton(leave);
  box->setEscapeButton(leave);
  box->exec();
  return box->clickedButton() == cancel;
}

}  // namespace vitayear::ui
