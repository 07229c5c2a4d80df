#include "shell/menu_mnemonics.h"

#include <cctype>
#include <optional>
#include <set>

namespace skarnel {
namespace {

char Folded(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool CanBeMnemonic(char c)
{
    return static_cast<unsigned char>(c) < 0x80 && std::isalnum(static_cast<unsigned char>(c));
}

// The character a text marks itself ("About (&H)"), if any.
std::optional<char> OwnMnemonic(std::string_view text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] != '&')
            return Folded(text[i + 1]);
        ++i;
    }
    return std::nullopt;
}

bool StartsWord(std::string_view text, size_t i)
{
    return i == 0 || !CanBeMnemonic(text[i - 1]);
}

// Where the text's mnemonic goes: the first free word start, else the first free character.
std::optional<size_t> FreePosition(std::string_view text, const std::set<char>& used)
{
    for (bool wordStartsOnly : {true, false}) {
        for (size_t i = 0; i < text.size(); ++i) {
            if (CanBeMnemonic(text[i]) && !used.count(Folded(text[i])) && (!wordStartsOnly || StartsWord(text, i)))
                return i;
        }
    }
    return std::nullopt;
}

std::string Marked(std::string_view text, std::optional<size_t> at)
{
    std::string marked;
    for (size_t i = 0; i < text.size(); ++i) {
        if (at == i)
            marked += '&';
        marked += text[i];
    }
    return marked;
}

}  // namespace

std::string WithoutMnemonic(std::string_view text)
{
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        plain += text[i];
    }
    return plain;
}

std::vector<std::string> WithMnemonics(const std::vector<std::string>& texts)
{
    std::set<char> used;
    for (const std::string& text : texts) {
        if (const auto own = OwnMnemonic(text))
            used.insert(*own);
    }
    std::vector<std::string> marked;
    for (const std::string& text : texts) {
        if (OwnMnemonic(text)) {
            marked.push_back(text);
            continue;
        }
        const std::optional<size_t> at = FreePosition(text, used);
        if (at)
            used.insert(Folded(text[*at]));
        marked.push_back(Marked(text, at));
    }
    return marked;
}

}  // namespace skarnel
