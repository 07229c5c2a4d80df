#include "firmware/scrambler.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace skarnel {
namespace {

// The C library's example generator: next = next * 1103515245 + 12345, here modulo 2^16.
uint16_t ReferenceStep(uint16_t state)
{
    return static_cast<uint16_t>((state * 1103515245ull + 12345ull) % 65536);
}

TEST(Scrambler, KeystreamIsTheLowByteOfEachNewState)
{
    std::vector<uint8_t> zeros(4, 0);
    ScrambleImage(zeros.data(), zeros.size());
    EXPECT_EQ(zeros, (std::vector<uint8_t>{0xBB, 0xD8, 0x31, 0x16}));
    uint16_t state = ScramblerSeed;
    for (int i = 0; i < 5000; ++i) {
        ASSERT_EQ(NextScramblerState(state), ReferenceStep(state)) << i;
        state = ReferenceStep(state);
    }
    EXPECT_EQ(ScramblerStateAt(5000), state);
    EXPECT_EQ(ScramblerStateAt(0), ScramblerSeed);
}

TEST(Scrambler, TwiceGivesBackTheBytesAndEachImageRestartsAtTheSeed)
{
    const std::vector<uint8_t> plain = test::PatternBytes(5000, 1);
    const std::vector<uint8_t> stored = ScrambleImage(plain);
    EXPECT_NE(stored, plain);
    EXPECT_EQ(ScrambleImage(stored), plain);
    const std::vector<uint8_t> other = test::PatternBytes(300, 2);
    EXPECT_EQ(ScrambleImage(other)[0], other[0] ^ stored[0] ^ plain[0]);
}

TEST(Scrambler, BlockByBlockFromTheStateAtEachBlockMatchesTheWholeImage)
{
    const std::vector<uint8_t> plain = test::PatternBytes(4097, 3);
    std::vector<uint8_t> pieces = plain;
    uint16_t state = ScramblerSeed;
    for (size_t offset = 0; offset < pieces.size(); offset += 2048) {
        EXPECT_EQ(state, ScramblerStateAt(offset));
        const size_t count = std::min<size_t>(2048, pieces.size() - offset);
        state = ScrambleFrom(state, pieces.data() + offset, count);
    }
    EXPECT_EQ(pieces, ScrambleImage(plain));
    EXPECT_EQ(AdvanceScramblerState(ScramblerStateAt(2048), 2049), ScramblerStateAt(4097));
}

}  // namespace
}  // namespace skarnel
