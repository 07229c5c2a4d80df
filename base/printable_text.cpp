#include "base/printable_text.h"

#include "base/format.h"
#include "base/utf8.h"

namespace skarnel {
namespace {

bool IsControlCode(uint32_t code)
{
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

std::string EscapeOf(uint32_t code)
{
    switch (code) {
    case '\n': return "\\n";
    case '\r': return "\\r";
    case '\t': return "\\t";
    default: return Format("\\x%02x", static_cast<unsigned>(code));
    }
}

std::string Escaped(const std::string& text, bool keepLineBreaks)
{
    std::string printable;
    printable.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const size_t length = Utf8CharacterLength(text, i);
        if (length == 0) {
            printable += EscapeOf(static_cast<unsigned char>(text[i++]));
            continue;
        }
        const uint32_t code = Utf8Code(text, i, length);
        const bool lineBreak = code == '\n' || code == '\r';
        if (IsControlCode(code) && !(keepLineBreaks && lineBreak))
            printable += EscapeOf(code);
        else
            printable.append(text, i, length);
        i += length;
    }
    return printable;
}

}  // namespace

std::string PrintableName(const std::string& text)
{
    return Escaped(text, false);
}

std::string PrintableText(const std::string& text)
{
    return Escaped(text, true);
}

}  // namespace skarnel
