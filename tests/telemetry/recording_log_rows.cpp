#include "tests/telemetry/recording_log_rows.h"

namespace skarnel::test {

void RecordingLogRows::Begin(LogFormat format)
{
    begun.push_back(format);
    rows.clear();
}

void RecordingLogRows::AddChannelLevel(int32_t time, int channel, int txLevel, int rxLevel)
{
    rows.push_back(
        {"Level", time, {static_cast<uint8_t>(channel), static_cast<uint8_t>(txLevel), static_cast<uint8_t>(rxLevel)}});
}

void RecordingLogRows::End(int32_t endTime)
{
    ends.push_back(endTime);
}

std::vector<std::string> RecordingLogRows::Lists() const
{
    std::vector<std::string> lists;
    for (const Row& row : rows)
        lists.push_back(row.list);
    return lists;
}

}  // namespace skarnel::test
