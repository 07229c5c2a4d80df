#include "link/controller_text.h"

#include "base/utf8.h"

#include <algorithm>

namespace skarnel {
namespace {

constexpr uint32_t kFirstAstralCode = 0x10000;
constexpr uint32_t kHighSurrogate = 0xD800;
constexpr uint32_t kLowSurrogate = 0xDC00;

}  // namespace

std::string LowBytesOfCharacters(const std::string& utf8)
{
    std::string bytes;
    for (size_t i = 0; i < utf8.size();) {
        const size_t length = Utf8CharacterLength(utf8, i);
        if (length == 0) {
            bytes.push_back(utf8[i++]);
            continue;
        }
        uint32_t code = Utf8Code(utf8, i, length);
        if (code >= kFirstAstralCode) {
            code -= kFirstAstralCode;
            bytes.push_back(static_cast<char>((kHighSurrogate + (code >> 10)) & 0xFF));
            code = kLowSurrogate + (code & 0x3FF);
        }
        bytes.push_back(static_cast<char>(code & 0xFF));
        i += length;
    }
    return bytes;
}

bool FitsLatin1(const std::string& utf8)
{
    for (size_t i = 0; i < utf8.size();) {
        const size_t length = Utf8CharacterLength(utf8, i);
        if (length > 0 && Utf8Code(utf8, i, length) > 0xFF)
            return false;
        i += std::max<size_t>(length, 1);
    }
    return true;
}

std::string Latin1ToUtf8(const std::string& latin1)
{
    std::string utf8;
    utf8.reserve(latin1.size());
    for (const char c : latin1) {
        const auto byte = static_cast<uint8_t>(c);
        if (byte < 0x80) {
            utf8.push_back(c);
            continue;
        }
        utf8.push_back(static_cast<char>(0xC0 | (byte >> 6)));
        utf8.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
    }
    return utf8;
}

}  // namespace skarnel
