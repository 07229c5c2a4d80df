#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace skarnel::test {

// Names a broken or hostile controller may send, which no PC path and no terminal line may
// take as they are: separators, "..", absolute paths, control characters, terminal escape
// sequences, line breaks, very long names and bytes that are no UTF-8. A fixed set comes first,
// the rest are drawn from a fixed seed, so every run sees the same names. The absolute ones
// point into `outside`, so a name that escaped would leave a file there to be found.
std::vector<std::string> HostileNames(const std::filesystem::path& outside, size_t count = 10'000);

// Whether `path` names an entry directly inside `folder`: no separator, "." or ".." in its name.
bool StaysDirectlyIn(const std::filesystem::path& folder, const std::filesystem::path& path);

// Whether a text reaches a terminal without a control character (C0, DEL, C1) or a byte that
// starts no UTF-8 character; line breaks ('\n', '\r') pass only when allowed.
bool IsTerminalSafe(const std::string& text, bool lineBreaksAllowed = false);

}  // namespace skarnel::test
