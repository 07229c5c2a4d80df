#pragma once

#include <string>

namespace skarnel {

// A name from the controller as a terminal may print it: every control character (C0, DEL and
// C1) and every byte that starts no UTF-8 character becomes a visible escape ("\n", "\r", "\t",
// "\x1b"), so a name can neither start a line of its own nor steer the terminal.
std::string PrintableName(const std::string& text);

// A whole text the same way, except for the line breaks ("\r", "\n") of the system's own texts.
std::string PrintableText(const std::string& text);

}  // namespace skarnel
