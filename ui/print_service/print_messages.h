// The messages of a print that did not come out.
#pragma once

#include <QString>

#include "link_fault.h"
#include "print_result.h"

namespace vitayear::ui {

// Nothing was printed, for the reason `text` gives.
PrintResult Problem(const QString& text);

// The request failed: say what the connection saw, or else what the server
// answered in `otherwise`.
PrintResult Failed(LinkFault fault, const QString& server, const QString& otherwise);

}  // namespace vitayear::ui
