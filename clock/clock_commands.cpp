#include "clock/clock_record.h"
#include "link/download_function.h"

namespace skarnel {
namespace {

constexpr uint8_t kCodeClockWrite = 0x30;
constexpr uint8_t kCodeClockRead = 0x31;

}  // namespace

bool CDownload_Function::WriteClock(const ClockRecord& record)
{
    const auto payload = record.Encode();
    return SingleCommand(kGroupApplication, kCodeClockWrite, payload.data(), static_cast<uint16_t>(payload.size()));
}

bool CDownload_Function::ReadClock(ClockRecord& record)
{
    if (!QueryCommand(kGroupApplication, kCodeClockRead, nullptr, 0, 3, 0) || !ReplyCarries(ClockRecord::kSize))
        return false;
    record = ClockRecord::Decode(ReplyRecord<ClockRecord::kSize>());
    return true;
}

}  // namespace skarnel
