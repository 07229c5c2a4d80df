#include "tests/support/hostile_names.h"

#include <array>
#include <cstdint>
#include <iconv.h>
#include <optional>
#include <random>

namespace skarnel::test {
namespace {

using namespace std::string_literals;

const std::vector<std::string> kFixedNames = {
    ""s,
    "."s,
    ".."s,
    "..."s,
    "/"s,
    "//"s,
    "\\"s,
    "../x"s,
    "..\\x"s,
    "../../../../etc/passwd"s,
    "/etc/passwd"s,
    "a/../../b"s,
    "x/.."s,
    "./."s,
    " .. "s,
    ".. "s,
    "C:\\x"s,
    "nl\nx"s,
    "cr\rx"s,
    "crlf\r\nx"s,
    "\n"s,
    "tab\tx"s,
    "nul\0x"s,
    "\x1b[2J"s,
    "\x1b]0;owned\x07"s,
    "\x1b[31mred"s,
    "\x1b"
    "c"s,
    "bell\x07"s,
    "bs\x08\x08"s,
    "del\x7f"s,
    "\x9b"
    "2J"s,
    "\xc2\x9b"
    "2J"s,
    "\xc2\x85"s,
    "\xff\xfe"s,
    "\xc3"s,
    "\xc0\xaf"s,
    "\xe0\x80\xae\xe0\x80\xae"s,
    "\xed\xa0\x80"s,
    "\xf4\x90\x80\x80"s,
    "\xe2\x80\xae"
    "gpj.exe"s,
    "\xe2\x80\xa8"s,
    "M\xfcller.txt"s,
    std::string(300, 'a'),
    std::string(10'000, 'x'),
    std::string(255, '.'),
    "a" + std::string(254, '/'),
};

// The pieces the drawn names are made of.
const std::array<std::string, 32> kPieces = {
    ".."s,   "/"s,    "\\"s,   "."s,    "\n"s,       "\r"s,   "\t"s,   "\x1b["s, "2J"s,       "\x1b"s,
    "\x07"s, "\0"s,   "\x7f"s, "\x9b"s, "\xc2\x9b"s, "\xff"s, "\xc3"s, "\xfc"s,  "\xc3\xbc"s, "\xe2\x82\xac"s,
    "a"s,    "name"s, " "s,    "~"s,    "$("s,       "`"s,    "%s"s,   "%n"s,    "*"s,        "?"s,
    ":"s,    "-"s,
};

std::string DrawnName(std::mt19937& random, const std::filesystem::path& outside)
{
    std::string name;
    switch (random() % 8) {
    case 0: name = outside.string() + "/"; break;
    case 1: name = "../"; break;
    default: break;
    }
    const size_t pieces = 1 + random() % 12;
    for (size_t i = 0; i < pieces; ++i)
        name +=
            random() % 4 == 0 ? std::string(1, static_cast<char>(random() % 256)) : kPieces[random() % kPieces.size()];
    if (random() % 50 == 0)
        name += std::string(200 + random() % 400, static_cast<char>('a' + random() % 26));
    return name;
}

bool IsControlCode(char32_t code)
{
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

// The characters of a UTF-8 text as the C library reads them; nothing when it is no UTF-8.
std::optional<std::u32string> DecodedUtf8(std::string text)
{
    const iconv_t converter = iconv_open("UTF-32LE", "UTF-8");
    std::u32string characters(text.size(), U'\0');
    char* in = text.data();
    size_t inLeft = text.size();
    auto* out = reinterpret_cast<char*>(characters.data());
    size_t outLeft = characters.size() * sizeof(char32_t);
    const bool decoded = iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1);
    iconv_close(converter);
    if (!decoded)
        return std::nullopt;
    characters.resize(characters.size() - outLeft / sizeof(char32_t));
    return characters;
}

}  // namespace

std::vector<std::string> HostileNames(const std::filesystem::path& outside, size_t count)
{
    std::vector<std::string> names = kFixedNames;
    names.push_back(outside.string() + "/abs");
    names.push_back(outside.string());
    std::mt19937 random(20261210);
    while (names.size() < count)
        names.push_back(DrawnName(random, outside));
    names.resize(count);
    return names;
}

bool StaysDirectlyIn(const std::filesystem::path& folder, const std::filesystem::path& path)
{
    const std::string name = path.filename().string();
    return path.parent_path() == folder && !name.empty() && name != "." && name != ".." &&
           name.find('/') == std::string::npos;
}

bool IsTerminalSafe(const std::string& text, bool lineBreaksAllowed)
{
    const std::optional<std::u32string> characters = DecodedUtf8(text);
    if (!characters)
        return false;
    for (const char32_t code : *characters) {
        const bool lineBreak = code == U'\n' || code == U'\r';
        if (IsControlCode(code) && !(lineBreaksAllowed && lineBreak))
            return false;
    }
    return true;
}

}  // namespace skarnel::test
