#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace skarnel {

// The length of the well-formed UTF-8 character that starts at `at`; 0 when the byte there
// starts none (a stray continuation byte, a cut-off or overlong sequence, a surrogate).
size_t Utf8CharacterLength(const std::string& text, size_t at);

// The code point of the well-formed character of that length at `at`.
uint32_t Utf8Code(const std::string& text, size_t at, size_t length);

}  // namespace skarnel
