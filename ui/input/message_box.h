// The modal message box of the input window: the application's name as its
// title, the text, one OK button and no icon; and the one question with two.
#pragma once

#include <QMessageBox>
#include <memory>

namespace vitayear::ui {

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const QString& text);

// Pages held for a printer's password, at closing: true to cancel them,
// false (Esc too) to leave them held.
bool AskCancelHeld(QWidget* parent, const QString& question, bool many);

}  // namespace vitayear::ui
