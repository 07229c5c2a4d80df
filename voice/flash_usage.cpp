#include "voice/flash_usage.h"

#include "base/format.h"
#include "voice/voice_file_info.h"

namespace skarnel {
namespace {

constexpr uint64_t kGreenLimit = 80;
constexpr uint64_t kYellowLimit = 100;

}  // namespace

uint64_t FlashUsage::Percent() const
{
    return usable == 0 ? 0 : used * 100 / usable;
}

std::string FlashUsage::SizeText() const
{
    return Format("%llu / %u", static_cast<unsigned long long>(used), usable);
}

std::string FlashUsage::PercentText() const
{
    return Format("(%llu %%)", static_cast<unsigned long long>(Percent()));
}

std::string FlashUsage::Line() const
{
    return SizeText() + " " + PercentText();
}

uint32_t UsableVoiceFlash(uint32_t flashSize)
{
    return flashSize > kVoiceInfoTableSize ? flashSize - kVoiceInfoTableSize : 0;
}

UsageColour UsageColourFor(const FlashUsage& usage)
{
    if (usage.Overflows() || usage.Percent() > kYellowLimit)
        return {255, 0, 0};
    if (usage.Percent() > kGreenLimit)
        return {255, 255, 0};
    return {0, 255, 0};
}

}  // namespace skarnel
