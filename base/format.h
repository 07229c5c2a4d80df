#pragma once

#include <string>

namespace skarnel {

// printf-style formatting into a std::string; the system's texts are printf formats.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace skarnel
