#include "fuzz/sessions/sessions.h"
#include "link/download_function.h"

#include <array>

namespace skarnel::fuzz {
namespace {

// Display clear stands for every command of the plain patterns; the flash block commands
// copy a reply's payload and report the address of an error reply.
constexpr uint8_t kDisplayClearCode = 0x22;
constexpr ScriptedCommand kCommands[] = {
    {kGroupApplication, kDisplayClearCode},
    {kGroupModelData, 0x33},  // flash read
    {kGroupModelData, 0x34},  // flash write
};
constexpr uint32_t kFlashBlockSize = 2048;

void Run(CDownload_Function& link)
{
    link.AcknowledgedCommand(kGroupApplication, kDisplayClearCode, nullptr, 0);
    link.QueryCommand(kGroupApplication, kDisplayClearCode, nullptr, 0);
    link.SingleCommand(kGroupApplication, kDisplayClearCode, nullptr, 0);
    const GroupScope flash(link, kGroupModelData);
    std::array<uint8_t, kFlashBlockSize> block{};
    uint32_t length = 0;
    link.ReadFlashBlock(0, kFlashBlockSize, block.data(), length);
    link.WriteFlashData(0, kFlashBlockSize, block.data());
}

}  // namespace

const Session kFrameSession{kCommands, Run};

}  // namespace skarnel::fuzz
