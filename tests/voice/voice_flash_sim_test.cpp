#include "link/rs232.h"
#include "sim/voice_flash.h"
#include "tests/support/temp_folder.h"
#include "tests/voice/voice_link.h"
#include "voice/voice_flash_info.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace skarnel::test {
namespace {

constexpr uint32_t kFlashSize = 0x8000;

TEST(SimulatedVoiceFlash, WritesCanOnlyClearBitsAndStayInTheirArea)
{
    VoiceLink t(kFlashSize);
    const std::vector<uint8_t> first{0xF0, 0x0F};
    const std::vector<uint8_t> second{0x3C, 0xFF};
    ASSERT_TRUE(t.link.WriteVoiceArea(first.data(), kVoiceDataAddress, 2, "ADPCM Data", StopRequest{}, kVoiceDataArea));
    ASSERT_TRUE(
        t.link.WriteVoiceArea(second.data(), kVoiceDataAddress, 2, "ADPCM Data", StopRequest{}, kVoiceDataArea));
    EXPECT_EQ(t.flash().bytes[kVoiceDataAddress], 0x30);
    EXPECT_EQ(t.flash().bytes[kVoiceDataAddress + 1], 0x0F);
    // Info writes never reach the data area, data writes never the info table or past the end.
    EXPECT_FALSE(
        t.link.WriteVoiceArea(first.data(), kVoiceInfoTableSize - 1, 2, "File Info", StopRequest{}, kVoiceInfoArea));
    EXPECT_FALSE(t.link.WriteVoiceArea(first.data(), 0x1000, 2, "ADPCM Data", StopRequest{}, kVoiceDataArea));
    EXPECT_FALSE(t.link.WriteVoiceArea(first.data(), kFlashSize - 1, 2, "ADPCM Data", StopRequest{}, kVoiceDataArea));
}

TEST(SimulatedVoiceFlash, StateFileKeepsWritesAndErasesBetweenRuns)
{
    TempFolder folder;
    const std::vector<uint8_t> sound = PatternBytes(3000, 2);
    {
        VoiceLink t(kFlashSize);
        t.flash().stateFile = folder.Path("voice_flash.bin");
        ASSERT_TRUE(t.link.InitVoiceFlash(static_cast<int>(t.flash().SectorCount())));
        ASSERT_EQ(folder.Read("voice_flash.bin"), std::vector<uint8_t>(kFlashSize, 0xFF));
        ASSERT_TRUE(
            t.link.WriteVoiceArea(sound.data(), kVoiceDataAddress, 3000, "ADPCM Data", StopRequest{}, kVoiceDataArea));
    }
    sim::VoiceFlash loaded;
    loaded.flashSize = kFlashSize;
    loaded.stateFile = folder.Path("voice_flash.bin");
    std::string error;
    ASSERT_TRUE(sim::LoadVoiceFlash(loaded, error)) << error;
    EXPECT_TRUE(std::equal(sound.begin(), sound.end(), loaded.bytes.begin() + kVoiceDataAddress));
    EXPECT_EQ(loaded.bytes[kVoiceDataAddress + 3000], 0xFF);

    sim::VoiceFlash larger;
    larger.stateFile = loaded.stateFile;
    EXPECT_FALSE(sim::LoadVoiceFlash(larger, error));
    EXPECT_NE(error.find("does not hold a voice flash image"), std::string::npos);
}

}  // namespace
}  // namespace skarnel::test
