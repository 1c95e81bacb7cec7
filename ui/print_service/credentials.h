// A user name and password the print server asks for, and who answers.
#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace vitayear::ui {

struct Credentials {
  QString user;
  QString password;
};

// A wrong user name or password is asked again, up to this many answers.
constexpr int kCredentialAnswers = 3;

// Asks the operator on the window's thread: the server, the user name to
// offer, and whether an answer was refused before. nullopt: cancelled.
using CredentialsPrompt =
    std::function<std::optional<Credentials>(const QString& server, const QString& user, bool again)>;

}  // namespace vitayear::ui
