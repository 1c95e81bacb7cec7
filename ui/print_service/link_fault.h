// How an exchange with the print server went wrong, as the connection saw it.
#pragma once

namespace vitayear::ui {

// None: the server answered, perhaps with an error of its own.
enum class LinkFault {
  None,
  NoName,
  NotRunning,
  NoAnswer,
  Closed,
  Encryption,
  CredentialsRefused,
  CredentialsCancelled
};

}  // namespace vitayear::ui
