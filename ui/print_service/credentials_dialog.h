// The print server's question for a user name and password, as a modal
// dialog of the window: the user name prefilled, the password masked.
#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace vitayear::ui {

struct Credentials {
  QString user;
  QString password;
};

// A wrong user name or password is asked again, up to this many answers.
constexpr int kCredentialAnswers = 3;

// Asks the operator on the window's thread, offering `user`; `again`: the
// last answer was refused. nullopt: cancelled.
using CredentialsPrompt =
    std::function<std::optional<Credentials>(const QString& server, const QString& user, bool again)>;

std::optional<Credentials> AskForCredentials(QWidget* parent, const QString& server, const QString& user, bool again);

// Tests answer in place of the operator.
using CredentialsAnswerer = std::optional<Credentials> (*)(const QString& server, const QString& user, bool again);
void SetCredentialsAnswerer(CredentialsAnswerer answerer);

}  // namespace vitayear::ui
