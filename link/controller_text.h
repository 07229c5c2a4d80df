#pragma once

#include <string>

namespace skarnel {

// The controller keeps names one byte a character, the program's text is UTF-8.

// A name as the controller takes it: the low byte of each character (of each UTF-16 unit for
// characters beyond the basic plane). A byte that starts no well-formed character goes as it is.
std::string LowBytesOfCharacters(const std::string& utf8);

// Whether every character of a name has a Latin-1 byte, so that its low byte is the character
// itself; a byte that starts no well-formed character counts as one, as it goes unchanged.
bool FitsLatin1(const std::string& utf8);

// A name the controller sent, one Latin-1 byte a character, as UTF-8.
std::string Latin1ToUtf8(const std::string& latin1);

}  // namespace skarnel
