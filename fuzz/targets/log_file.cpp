// A log file as the file log viewer loads it: once named as a live log (.cld), once as a
// controller log, every row turned into the texts the viewer's lists show.
#include "fuzz/support/agreeing_reporter.h"
#include "fuzz/support/scratch_folder.h"
#include "telemetry/log_loader.h"
#include "telemetry/telemetry_text.h"

#include <cstddef>
#include <cstdint>

using namespace skarnel;

namespace {

class TextRows final : public LogRows {
public:
    void Begin(LogFormat) override {}
    void AddGeneral(int32_t time, const GeneralData& record) override { Row(time, GeneralCells(record)); }
    void AddElectric(int32_t time, const ElectricData& record) override { Row(time, ElectricCells(record)); }
    void AddGps(int32_t time, const GpsData& record) override { Row(time, GpsCells(record)); }
    void AddVario(int32_t time, const VarioData& record) override { Row(time, VarioCells(record)); }
    void AddReceiver(int32_t time, const ReceiverData& record) override { Row(time, ReceiverCells(record)); }
    void AddRfLevels(int32_t time, const DbmScan& scan) override { Row(time, RfLevelCells(scan)); }
    void AddChannelLevel(int32_t time, int channel, int txLevel, int rxLevel) override
    {
        Row(time, ChannelLevelCells(channel, txLevel, rxLevel));
    }
    void AddChannels(int32_t time, const ChannelValues& values) override { Row(time, ChannelCells(values)); }
    void End(int32_t endTime) override { LogTimeText(endTime); }

private:
    static void Row(int32_t time, const TelemetryCells& cells)
    {
        LogTimeText(time);
        JoinCells(cells);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::AgreeingReporter window;
    for (const char* name : {"log.cld", "log.log"}) {
        TextRows rows;
        LoadLogFile(fuzz::WriteInputFile(name, data, size).string(), rows, window);
    }
    return 0;
}
