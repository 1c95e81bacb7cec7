// A question for a user name and password, the print server's or a
// printer's, as a modal dialog of the window: the user name prefilled, the
// password masked; for a printer, a box to keep them in the desktop's keyring
// where there is one, and kept ones used without asking.
#pragma once

#include <QString>
#include <optional>

#include "print_page.h"

class QWidget;

namespace vitayear::ui {

// nullopt: cancelled.
std::optional<Credentials> AskForCredentials(QWidget* parent, const CredentialsQuestion& question);

// The question as a print asks it, over `window`.
CredentialsPrompt CredentialsPromptOver(QWidget* window);

// Tests answer in place of the operator at the dialog; `canKeep`: the box
// to keep them is offered.
using CredentialsAnswerer = std::optional<Credentials> (*)(const CredentialsQuestion& question, bool canKeep);
void SetCredentialsAnswerer(CredentialsAnswerer answerer);

}  // namespace vitayear::ui
