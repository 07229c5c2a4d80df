#include "sim/voice_flash_commands.h"

#include "base/byte_order.h"
#include "sim/controller_engine.h"
#include "voice/voice_codes.h"
#include "voice/voice_file_info.h"
#include "voice/voice_flash_info.h"

#include <algorithm>

namespace skarnel::sim {
namespace {

constexpr int kGroupVoiceFlash = 2;
constexpr int64_t kNsPerMs = 1'000'000;
constexpr size_t kAddressSize = 4;

Reply AddressError(uint32_t address)
{
    std::vector<uint8_t> payload(kAddressSize);
    WriteLe32(payload.data(), address);
    return Reply{kErrorCode, payload};
}

bool InFlash(const VoiceFlash& flash, uint64_t address, uint64_t size)
{
    return address + size <= flash.flashSize;
}

Reply FlashInfo(const VoiceFlash& flash)
{
    std::vector<uint8_t> payload(VoiceFlashInfo::kSize);
    WriteLe32(payload.data(), flash.sectorSize);
    WriteLe32(payload.data() + 4, flash.flashSize);
    WriteLe32(payload.data() + 8, flash.SectorCount());
    WriteLe32(payload.data() + 12, flash.voiceDataVersion);
    return Reply{kAckCode, payload};
}

// One busy frame as each sector is erased, the acknowledgement a little after the last one
// so that it never shares a read with it.
void StartErase(ControllerEngine& engine)
{
    VoiceFlash& flash = engine.state().voiceFlash;
    const uint32_t sectors = flash.SectorCount();
    const int64_t stepNs = flash.eraseStepMs * kNsPerMs;
    for (uint32_t sector = 1; sector <= sectors; ++sector)
        engine.SendUnprompted(kGroupVoiceFlash, Reply{kBusyCode, {}}, stepNs * sector);
    const int64_t doneNs = stepNs * (sectors + 1) + 5 * stepNs;
    engine.ScheduleAfter(doneNs, [&flash] {
        std::fill(flash.Memory().begin(), flash.Memory().end(), 0xFF);
        ++flash.eraseCount;
        SaveVoiceFlash(flash, 0, flash.flashSize);
    });
    engine.SendUnprompted(kGroupVoiceFlash, Reply{}, doneNs);
}

Reply Write(VoiceFlash& flash, const Request& request, bool infoArea)
{
    if (request.payload.size() < kAddressSize)
        return Reply{kNakCode, {}};
    const uint32_t address = ReadLe32(request.payload.data());
    const size_t size = request.payload.size() - kAddressSize;
    const bool inArea = infoArea ? address + size <= kVoiceInfoTableSize : address >= kVoiceDataAddress;
    if (!inArea || !InFlash(flash, address, size))
        return AddressError(address);
    auto target = flash.Memory().begin() + address;
    for (auto byte = request.payload.begin() + kAddressSize; byte != request.payload.end(); ++byte, ++target)
        *target &= *byte;
    SaveVoiceFlash(flash, address, size);
    return Reply{};
}

Reply ReadFileInfo(VoiceFlash& flash, const Request& request)
{
    if (request.payload.size() < kAddressSize)
        return Reply{kNakCode, {}};
    const uint32_t index = ReadLe32(request.payload.data());
    if (index >= kVoiceSlotCount)
        return Reply{kNakCode, {}};
    const auto from = flash.Memory().begin() + index * VoiceFileInfo::kSize;
    return Reply{kAckCode, std::vector<uint8_t>(from, from + VoiceFileInfo::kSize)};
}

Reply ReadData(VoiceFlash& flash, const Request& request)
{
    if (request.payload.size() < 2 * kAddressSize)
        return Reply{kNakCode, {}};
    const uint32_t length = ReadLe32(request.payload.data());
    const uint32_t address = ReadLe32(request.payload.data() + kAddressSize);
    if (length > kVoiceChunkSize || !InFlash(flash, address, length))
        return AddressError(address);
    const auto from = flash.Memory().begin() + address;
    return Reply{kAckCode, std::vector<uint8_t>(from, from + length)};
}

Reply Play(VoiceFlash& flash, const Request& request)
{
    if (request.payload.size() < kAddressSize)
        return Reply{kNakCode, {}};
    const uint32_t index = ReadLe32(request.payload.data());
    if (index >= kMaxVoiceFiles ||
        !VoiceFileInfo::Decode(RecordAt<VoiceFileInfo::kSize>(flash.Memory(), index * VoiceFileInfo::kSize)).IsValid())
        return Reply{kNakCode, {}};
    flash.lastPlayed = index;
    return Reply{};
}

}  // namespace

void InstallVoiceFlashCommands(ControllerEngine& engine)
{
    VoiceFlash& flash = engine.state().voiceFlash;
    const auto on = [&engine](uint8_t code, ControllerEngine::Handler handler) {
        engine.On(ControllerMode::Application, kGroupVoiceFlash, code, std::move(handler));
    };
    on(kCodeVoiceFlashInfo, [&flash](const Request&) { return FlashInfo(flash); });
    on(kCodeVoiceFlashInit, [&engine](const Request&) -> std::optional<Reply> {
        StartErase(engine);
        return std::nullopt;
    });
    on(kCodeVoiceInfoWrite, [&flash](const Request& request) { return Write(flash, request, true); });
    on(kCodeVoiceDataWrite, [&flash](const Request& request) { return Write(flash, request, false); });
    on(kCodeVoiceFileInfoRead, [&flash](const Request& request) { return ReadFileInfo(flash, request); });
    on(kCodeVoiceDataRead, [&flash](const Request& request) { return ReadData(flash, request); });
    on(kCodeVoicePlay, [&flash](const Request& request) { return Play(flash, request); });
}

}  // namespace skarnel::sim
