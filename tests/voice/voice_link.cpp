#include "tests/voice/voice_link.h"

#include "base/byte_order.h"
#include "sim/voice_flash_commands.h"

#include <algorithm>

namespace skarnel::test {

VoiceLink::VoiceLink(uint32_t flashSize)
{
    flash().flashSize = flashSize;
    sim::InstallVoiceFlashCommands(engine());
    engine().KeepRequestLog(true);
}

void VoiceLink::AddFault(sim::FaultKind kind, uint8_t code, int count, int at)
{
    SimulatedLink::AddFault(kind, kGroupVoiceFlash, code, count, at);
}

std::vector<sim::Request> VoiceLink::Requests(uint8_t code) const
{
    return SimulatedLink::Requests(kGroupVoiceFlash, code);
}

std::vector<uint32_t> VoiceLink::WriteAddresses(uint8_t code) const
{
    std::vector<uint32_t> addresses;
    for (const sim::Request& request : Requests(code))
        addresses.push_back(ReadLe32(request.payload.data()));
    return addresses;
}

int VoiceLink::Count(const std::string& line) const
{
    const auto lines = reporter.LogLines();
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

void VoiceLink::StoreRecords(const std::vector<VoiceFileInfo>& records)
{
    std::vector<uint8_t>& memory = flash().Memory();
    std::fill(memory.begin(), memory.begin() + kVoiceInfoTableSize, 0);
    for (size_t slot = 0; slot < records.size(); ++slot) {
        const auto bytes = records[slot].Encode();
        std::copy(bytes.begin(), bytes.end(), memory.begin() + static_cast<std::ptrdiff_t>(slot * bytes.size()));
    }
}

VoiceFileInfo StoredRecord(uint16_t slot, uint32_t size, uint32_t address, const std::string& name)
{
    VoiceFileInfo record = VoiceFileInfo::ForSlot(slot);
    record.size = size;
    record.address = address;
    record.sampleRate = 11025;
    std::copy(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(std::min(name.size(), size_t{17})),
              record.name.begin());
    return record;
}

}  // namespace skarnel::test
