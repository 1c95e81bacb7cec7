// The modal message box of the input window: the application's name as its
// title, the text, one OK button and no icon.
#pragma once

#include <QMessageBox>
#include <memory>

namespace vitayear::ui {

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const QString& text);

}  // namespace vitayear::ui
