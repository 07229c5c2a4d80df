#include "voice/voice_file_info.h"

#include "base/byte_order.h"
#include "link/controller_text.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace skarnel {
namespace {

constexpr size_t kExtensionLength = 4;  // the dot and three letters

}  // namespace

VoiceFileInfo VoiceFileInfo::ForSlot(uint16_t slot)
{
    VoiceFileInfo info;
    info.index = slot;
    info.indexCheck = static_cast<uint16_t>(0xFFFF - slot);
    return info;
}

std::array<uint8_t, VoiceFileInfo::kSize> VoiceFileInfo::Encode() const
{
    std::array<uint8_t, kSize> bytes{};
    WriteLe32(bytes.data() + 0, size);
    WriteLe32(bytes.data() + 4, address);
    WriteLe16(bytes.data() + 8, index);
    WriteLe16(bytes.data() + 10, indexCheck);
    WriteLe16(bytes.data() + 12, sampleRate);
    std::copy(name.begin(), name.end(), bytes.begin() + 14);
    return bytes;
}

VoiceFileInfo VoiceFileInfo::Decode(std::span<const uint8_t, kSize> bytes)
{
    VoiceFileInfo info;
    info.size = ReadLe32(bytes.data() + 0);
    info.address = ReadLe32(bytes.data() + 4);
    info.index = ReadLe16(bytes.data() + 8);
    info.indexCheck = ReadLe16(bytes.data() + 10);
    info.sampleRate = ReadLe16(bytes.data() + 12);
    std::copy_n(bytes.data() + 14, kNameSize, info.name.begin());
    return info;
}

std::string VoiceFileInfo::Name() const
{
    const auto end = std::find(name.begin(), name.end(), 0);
    std::string text(name.begin(), end);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.pop_back();
    return Latin1ToUtf8(text);
}

void VoiceFileInfo::SetNameFromListed(const std::string& listedName)
{
    name.fill(0);
    const std::string bytes = LowBytesOfCharacters(listedName);
    const size_t stem = bytes.size() > kExtensionLength ? bytes.size() - kExtensionLength : 0;
    std::copy_n(bytes.begin(), std::min(stem, kMaxNameLength), name.begin());
}

void WriteVersionSlot(uint8_t* infoTable, uint32_t voiceDataVersion, uint32_t modelCode)
{
    uint8_t* slot = infoTable + kVoiceVersionSlotOffset;
    std::memset(slot, 0, VoiceFileInfo::kSize);
    WriteLe32(slot, voiceDataVersion);
    WriteLe32(slot + 4, modelCode);
}

}  // namespace skarnel
