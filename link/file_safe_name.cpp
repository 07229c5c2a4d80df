#include "link/file_safe_name.h"

#include <algorithm>

namespace skarnel {
namespace {

bool IsUnsafeCharacter(unsigned char c)
{
    return c == '/' || c == '\\' || c < 0x20 || c == 0x7F;
}

}  // namespace

std::string FileSafeName(const std::string& name)
{
    std::string safe = name;
    std::replace_if(safe.begin(), safe.end(), [](char c) { return IsUnsafeCharacter(static_cast<unsigned char>(c)); },
                    '_');
    for (size_t start = safe.find(".."); start != std::string::npos; start = safe.find("..", start)) {
        const size_t end = safe.find_first_not_of('.', start);
        std::fill(safe.begin() + static_cast<std::ptrdiff_t>(start),
                  end == std::string::npos ? safe.end() : safe.begin() + static_cast<std::ptrdiff_t>(end), '_');
    }
    return safe;
}

}  // namespace skarnel
