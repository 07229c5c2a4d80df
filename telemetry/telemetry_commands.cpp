#include "base/clock.h"
#include "link/download_function.h"
#include "link/reply_codes.h"
#include "link/rs232.h"
#include "telemetry/telemetry_decode.h"

#include <optional>

namespace skarnel {
namespace {

constexpr uint8_t kCodeSensorType = 0x32;
constexpr uint8_t kCodeDbmScan = 0x33;
constexpr uint8_t kCodeReceiverData = 0x34;
constexpr uint8_t kCodeGeneralData = 0x35;
constexpr uint8_t kCodeElectricData = 0x36;
constexpr uint8_t kCodeVarioData = 0x37;
constexpr uint8_t kCodeGpsData = 0x38;

constexpr int kAttempts = 3;
constexpr int kRetryPauseMs = 300;
constexpr int kReplyWaitMs = 200;
// The RF level table is long: a longer wait, then a pause for its tail to arrive.
constexpr int kDbmScanWaitMs = 300;
constexpr int kDbmScanSettleMs = 50;

struct LiveLogQuery {
    uint8_t code;
    int waitMs;
    int settleMs;
    std::optional<size_t> dataLength;  // none: any length of at least one byte
};

// One attempt: true when an acknowledged reply of the expected size stands in the receive
// buffer. A reply with a settling pause must be whole by the end of it, counted from its first
// byte; a longer one is read short and fails.
bool LiveLogAttempt(CDownload_Function& link, const LiveLogQuery& query)
{
    link.SendFrame(0, nullptr, kGroupRfProcess, query.code);
    std::optional<int64_t> completeByMs;
    if (link.port->WaitForData(query.waitMs) && query.settleMs > 0) {
        completeByMs = link.GetClock().NowMs() + query.settleMs;
        link.Sleep(query.settleMs);
    }
    if (link.ReadWaitingReply(nullptr, completeByMs) != kReplyAck)
        return false;
    const size_t dataLength = link.ReplyPayloadLength();
    return query.dataLength ? dataLength == *query.dataLength : dataLength >= 1;
}

bool RunLiveLogQuery(CDownload_Function& link, const LiveLogQuery& query)
{
    if (!link.CheckConnected())
        return false;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (LiveLogAttempt(link, query))
            return true;
        link.Sleep(kRetryPauseMs);
    }
    return false;
}

template <typename Record>
bool ReadRecord(CDownload_Function& link, uint8_t code, size_t dataLength, Record& record,
                bool (*decode)(const uint8_t*, size_t, Record&))
{
    if (!RunLiveLogQuery(link, {code, kReplyWaitMs, 0, dataLength}))
        return false;
    return decode(link.ReplyPayload(), link.ReplyPayloadLength(), record);
}

}  // namespace

bool CDownload_Function::ReadSensorType(int& sensorType)
{
    if (!RunLiveLogQuery(*this, {kCodeSensorType, kReplyWaitMs, 0, std::nullopt}))
        return false;
    sensorType = ReplyPayload()[0];
    return true;
}

bool CDownload_Function::ReadDbmScan(DbmScan& scan)
{
    if (!RunLiveLogQuery(*this, {kCodeDbmScan, kDbmScanWaitMs, kDbmScanSettleMs, kDbmScanReplySize}))
        return false;
    return DecodeDbmScan(ReplyPayload(), ReplyPayloadLength(), scan);
}

bool CDownload_Function::ReadReceiverData(ReceiverData& record)
{
    return ReadRecord(*this, kCodeReceiverData, kReceiverReplySize, record, DecodeReceiverData);
}

bool CDownload_Function::ReadGeneralData(GeneralData& record)
{
    return ReadRecord(*this, kCodeGeneralData, kGeneralReplySize, record, DecodeGeneralData);
}

bool CDownload_Function::ReadElectricData(ElectricData& record)
{
    return ReadRecord(*this, kCodeElectricData, kElectricReplySize, record, DecodeElectricData);
}

bool CDownload_Function::ReadVarioData(VarioData& record)
{
    return ReadRecord(*this, kCodeVarioData, kVarioReplySize, record, DecodeVarioData);
}

bool CDownload_Function::ReadGpsData(GpsData& record)
{
    return ReadRecord(*this, kCodeGpsData, kGpsReplySize, record, DecodeGpsData);
}

}  // namespace skarnel
