#include "base/utf8.h"

namespace skarnel {
namespace {

size_t SequenceLength(uint8_t lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

bool IsContinuation(char c)
{
    return (static_cast<uint8_t>(c) & 0xC0) == 0x80;
}

// The second byte's range narrows after these leads, which keeps out overlong forms, the
// UTF-16 surrogates and code points beyond U+10FFFF.
bool SecondByteFits(uint8_t lead, uint8_t second)
{
    switch (lead) {
    case 0xE0: return second >= 0xA0;
    case 0xED: return second <= 0x9F;
    case 0xF0: return second >= 0x90;
    case 0xF4: return second <= 0x8F;
    default: return true;
    }
}

}  // namespace

size_t Utf8CharacterLength(const std::string& text, size_t at)
{
    const auto lead = static_cast<uint8_t>(text[at]);
    const size_t length = SequenceLength(lead);
    if (length == 0 || at + length > text.size())
        return 0;
    for (size_t k = 1; k < length; ++k)
        if (!IsContinuation(text[at + k]))
            return 0;
    return length == 1 || SecondByteFits(lead, static_cast<uint8_t>(text[at + 1])) ? length : 0;
}

uint32_t Utf8Code(const std::string& text, size_t at, size_t length)
{
    const auto lead = static_cast<uint8_t>(text[at]);
    uint32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
    for (size_t k = 1; k < length; ++k)
        code = (code << 6) | (static_cast<uint8_t>(text[at + k]) & 0x3Fu);
    return code;
}

}  // namespace skarnel
