#include "firmware/scrambler.h"

namespace skarnel {

uint16_t AdvanceScramblerState(uint16_t state, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        state = NextScramblerState(state);
    return state;
}

uint16_t ScramblerStateAt(size_t n)
{
    return AdvanceScramblerState(ScramblerSeed, n);
}

uint16_t ScrambleFrom(uint16_t state, uint8_t* bytes, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        state = NextScramblerState(state);
        bytes[i] ^= static_cast<uint8_t>(state);
    }
    return state;
}

void ScrambleImage(uint8_t* bytes, size_t count)
{
    ScrambleFrom(ScramblerSeed, bytes, count);
}

std::vector<uint8_t> ScrambleImage(std::vector<uint8_t> bytes)
{
    ScrambleImage(bytes.data(), bytes.size());
    return bytes;
}

}  // namespace skarnel
