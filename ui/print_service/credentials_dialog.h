// The print server's question for a user name and password, as a modal
// dialog of the window: the user name prefilled, the password masked.
#pragma once

#include <QString>
#include <optional>

#include "credentials.h"

class QWidget;

namespace vitayear::ui {

// nullopt when the operator cancels. `again`: the last answer was refused.
std::optional<Credentials> AskForCredentials(QWidget* parent, const QString& server, const QString& user, bool again);

// Tests answer in place of the operator.
using CredentialsAnswerer = std::optional<Credentials> (*)(const QString& server, const QString& user, bool again);
void SetCredentialsAnswerer(CredentialsAnswerer answerer);

}  // namespace vitayear::ui
