// Text between the windows and the engine. The engine works on UTF-8 bytes,
// but a text box can hold what UTF-8 cannot: a lone surrogate, pasted or
// typed. Such a unit travels in its three-byte surrogate form (as WTF-8 does)
// so that a name reaches the printout exactly as it was typed.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace vitayear::ui {

std::string ToEngineText(const QString& text);

// Bytes that form no character become U+FFFD.
QString FromEngineText(std::string_view text);

// The engine ends its lines with a lone carriage return; Qt breaks lines at
// line feeds (a label shows a lone carriage return as a blank).
QString WithLineFeeds(QString text);

}  // namespace vitayear::ui
