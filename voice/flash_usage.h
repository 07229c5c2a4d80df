#pragma once

#include <cstdint>
#include <string>

namespace skarnel {

// How much of the voice flash a list of sounds takes: the sum of their stream sizes against
// the flash without its 8192-byte info table.
struct FlashUsage {
    uint64_t used = 0;
    uint32_t usable = 0;

    // The whole percent, truncated; 0 while the usable size is unknown.
    uint64_t Percent() const;
    // "%d / %d" and "(%d %%)", as the usage displays show them.
    std::string SizeText() const;
    std::string PercentText() const;
    // "%d / %d (%d %%)", as the command line prints it.
    std::string Line() const;
    // More than the usable flash, even by less than a whole percent.
    bool Overflows() const { return used > usable; }
};

// The usable voice flash of a flash of this size (0 for one no larger than the info table).
uint32_t UsableVoiceFlash(uint32_t flashSize);

// The colour of a usage bar.
struct UsageColour {
    int red;
    int green;
    int blue;
    bool operator==(const UsageColour&) const = default;
};
// Green up to 80 %, yellow from 81 % as long as the sounds fit, red when they do not: a set
// one byte too large still truncates to 100 % but would not fit the flash.
UsageColour UsageColourFor(const FlashUsage& usage);

}  // namespace skarnel
