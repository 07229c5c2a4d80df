#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace skarnel {

// Every image of an upgrade file is stored XORed with a 16-bit linear congruential keystream
// (the C library's example generator, modulo 2^16) that restarts at the seed for each image.
inline constexpr uint16_t ScramblerSeed = 0x6C4A;

// The state after one more keystream step; its low byte is the key of that step.
constexpr uint16_t NextScramblerState(uint16_t state)
{
    return static_cast<uint16_t>(state * 0x4E6Du + 0x3039u);
}

// The state after count steps from the given state.
uint16_t AdvanceScramblerState(uint16_t state, size_t count);
// The state current at byte n of an image: the seed stepped n times.
uint16_t ScramblerStateAt(size_t n);

// XORs count bytes with the keystream that stands at `state` before the first of them;
// returns the state after the last. Scrambling and descrambling are the same operation.
uint16_t ScrambleFrom(uint16_t state, uint8_t* bytes, size_t count);

// A whole image from the seed, in place or into a copy.
void ScrambleImage(uint8_t* bytes, size_t count);
std::vector<uint8_t> ScrambleImage(std::vector<uint8_t> bytes);

}  // namespace skarnel
