// User names and passwords kept for printers in the desktop's keyring (the
// Secret Service, or KDE's wallet), never in a file of the program's.
#pragma once

#include <QString>
#include <optional>

#include "print_page.h"

namespace vitayear::ui {

// A keyring is running in the session: only then is keeping offered.
bool KeyringAvailable();

// The name a printer's password is kept under: the printer at its server.
QString KeyringEntry(const QString& printer, const QString& server);

std::optional<Credentials> KeptCredentials(const QString& entry);
bool KeepCredentials(const QString& entry, const Credentials& given);
void ForgetCredentials(const QString& entry);

}  // namespace vitayear::ui
