#pragma once

#include <array>
#include <cstdint>

namespace skarnel {

// The IMA ADPCM quantiser's step sizes, indexed by the step index 0..88.
inline constexpr std::array<int, 89> kAdpcmStepTable{
    7,    8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,    25,    28,
    31,   34,    37,    41,    45,    50,    55,    60,    66,    73,    80,    88,    97,    107,   118,
    130,  143,   157,   173,   190,   209,   230,   253,   279,   307,   337,   371,   408,   449,   494,
    544,  598,   658,   724,   796,   876,   963,   1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,
    2272, 2499,  2749,  3024,  3327,  3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,
    9493, 10442, 11487, 12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767,
};
inline constexpr int kAdpcmMaxStepIndex = 88;

// How the step index moves after each code, indexed by the whole 4-bit code.
inline constexpr std::array<int, 16> kAdpcmIndexAdjustment{-1, -1, -1, -1, 2, 4, 6, 8, -1, -1, -1, -1, 2, 4, 6, 8};

// What a resolution option does to input samples and to the predictor.
struct AdpcmResolution {
    int divisor;
    int minimum;
    int maximum;
    int initial;
};

// Option 0 takes unsigned 8-bit samples; option n (1..8) reduces 16-bit samples to 8 + n bits.
// Options outside 0..8 are taken as the nearest one.
constexpr AdpcmResolution AdpcmRange(int resolution)
{
    if (resolution <= 0)
        return {1, 0, 255, 128};
    const int bits = 8 + (resolution > 8 ? 8 : resolution);
    const int half = 1 << (bits - 1);
    return {1 << (16 - bits), -half, half - 1, 0};
}

}  // namespace skarnel
