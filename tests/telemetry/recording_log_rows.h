#pragma once

#include "telemetry/log_rows.h"

#include <cstring>
#include <string>
#include <vector>

namespace skarnel::test {

// A record's bytes as they stand in memory (and in a live log file).
template <typename Record> std::vector<uint8_t> RecordBytes(const Record& record)
{
    std::vector<uint8_t> bytes(sizeof record);
    std::memcpy(bytes.data(), &record, sizeof record);
    return bytes;
}

// Every row a loader adds, as the list's name, the row's time and the record's bytes.
class RecordingLogRows final : public LogRows {
public:
    struct Row {
        std::string list;
        int32_t time = 0;
        std::vector<uint8_t> bytes;

        bool operator==(const Row&) const = default;
    };

    void Begin(LogFormat format) override;
    void AddGeneral(int32_t time, const GeneralData& record) override { Add("General", time, record); }
    void AddElectric(int32_t time, const ElectricData& record) override { Add("Electric", time, record); }
    void AddGps(int32_t time, const GpsData& record) override { Add("GPS", time, record); }
    void AddVario(int32_t time, const VarioData& record) override { Add("Vario", time, record); }
    void AddReceiver(int32_t time, const ReceiverData& record) override { Add("Receiver", time, record); }
    void AddRfLevels(int32_t time, const DbmScan& scan) override { Add("RF", time, scan); }
    void AddChannelLevel(int32_t time, int channel, int txLevel, int rxLevel) override;
    void AddChannels(int32_t time, const ChannelValues& values) override { Add("Channel", time, values); }
    void End(int32_t endTime) override;

    std::vector<std::string> Lists() const;
    std::vector<Row> rows;
    std::vector<LogFormat> begun;
    std::vector<int32_t> ends;

private:
    template <typename Record> void Add(const char* list, int32_t time, const Record& record)
    {
        rows.push_back({list, time, RecordBytes(record)});
    }
};

}  // namespace skarnel::test
