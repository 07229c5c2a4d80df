#include "base/file_safe_name.h"

#include <algorithm>

namespace skarnel {
namespace {

bool IsUnsafeCharacter(unsigned char c)
{
    return c == '/' || c == '\\' || c < 0x20 || c == 0x7F;
}

// U+0080 to U+009F, the C1 control characters, as UTF-8 writes them.
bool IsC1ControlAt(const std::string& name, size_t at)
{
    return static_cast<unsigned char>(name[at]) == 0xC2 && at + 1 < name.size() &&
           static_cast<unsigned char>(name[at + 1]) >= 0x80 && static_cast<unsigned char>(name[at + 1]) <= 0x9F;
}

}  // namespace

std::string FileSafeName(const std::string& name)
{
    std::string safe;
    safe.reserve(name.size());
    for (size_t i = 0; i < name.size(); ++i) {
        if (IsC1ControlAt(name, i)) {
            safe.push_back('_');
            ++i;
        } else {
            safe.push_back(IsUnsafeCharacter(static_cast<unsigned char>(name[i])) ? '_' : name[i]);
        }
    }
    for (size_t start = safe.find(".."); start != std::string::npos; start = safe.find("..", start)) {
        const size_t end = safe.find_first_not_of('.', start);
        std::fill(safe.begin() + static_cast<std::ptrdiff_t>(start),
                  end == std::string::npos ? safe.end() : safe.begin() + static_cast<std::ptrdiff_t>(end), '_');
    }
    return safe;
}

}  // namespace skarnel
