// The print server's question for a user name and password, as a modal
// dialog of the window: the user name prefilled, the password masked.
#pragma once

#include <QString>
#include <optional>

#include "print_page.h"

class QWidget;

namespace vitayear::ui {

// Offering `user`; `again`: the last answer was refused. nullopt: cancelled.
std::optional<Credentials> AskForCredentials(QWidget* parent, const QString& server, const QString& user, bool again);

// The question as a print asks it, over `window`.
CredentialsPrompt CredentialsPromptOver(QWidget* window);

// Tests answer in place of the operator.
using CredentialsAnswerer = std::optional<Credentials> (*)(const QString& server, const QString& user, bool again);
void SetCredentialsAnswerer(CredentialsAnswerer answerer);

}  // namespace vitayear::ui
