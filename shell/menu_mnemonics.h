#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace skarnel {

// Menus reached from the keyboard: each text of one menu gets an Alt+letter of its own, marked
// by a '&' before it, while what the user reads stays the text itself. Texts are in that menu
// form throughout: a '&' marks the next character, "&&" is a '&' the user reads.

// The text as the user reads it: the marker removed, "&&" read as one '&'.
std::string WithoutMnemonic(std::string_view text);

// The texts of one menu, each with a letter or digit no other text of that menu has. A text
// that marks its own keeps it; the others take the first free character, the first characters
// of words before the rest. A text with no free character gets none.
std::vector<std::string> WithMnemonics(const std::vector<std::string>& texts);

}  // namespace skarnel
