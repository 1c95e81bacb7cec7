// A default printer that the user named, rather than the print server's:
// where libcups looks, in its order.
#pragma once

#include <QString>
#include <optional>

namespace vitayear::ui {

struct NamedDefault {
  QString name;   // the destination, without an instance
  QString where;  // the setting that names it: "LPDEST", "PRINTER" or an lpoptions file
};

// LPDEST, PRINTER (but "lp"), the user's lpoptions, the system's lpoptions.
std::optional<NamedDefault> UserNamedDefault();

}  // namespace vitayear::ui
