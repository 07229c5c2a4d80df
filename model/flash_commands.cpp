#include "base/byte_order.h"
#include "link/download_function.h"
#include "base/format.h"
#include "link/frame.h"
#include "link/reply_codes.h"
#include "base/reporter.h"
#include "link/rs232.h"
#include "model/data_schema.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace skarnel {
namespace {

enum ModelDataCode : uint8_t {
    kCodeDataSchemaRead = 0x32,
    kCodeFlashRead = 0x33,
    kCodeFlashWrite = 0x34,
};

constexpr int kAttempts = 3;
constexpr int kRetryPauseMs = 100;
constexpr int kFailurePauseMs = 50;
constexpr uint32_t kFlashBlockSize = 2048;
constexpr size_t kAddressSize = 4;

}  // namespace

bool CDownload_Function::ReadDataSchema(DataSchema& schema)
{
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (attempt > 0)
            Sleep(kRetryPauseMs);
        SendFrame(0, nullptr, kGroupModelData, kCodeDataSchemaRead);
        if (!WaitReply())
            return false;
        const int code = ReadWaitingReply();
        if (code == kReplyAck) {
            std::string error;
            if (ParseDataSchemaReply(ReplyPayload(), ReplyPayloadLength(), schema, error))
                return true;
            Window().ReportLogLine(error);
            return false;
        }
        if (code == kReplyBusy) {
            Window().ReportLogLine("Serial Flash Busy. Model Data Read Try Again");
            continue;
        }
        if (code >= 0) {
            Window().ReportFailedExchange(0, code);
            return false;
        }
    }
    return false;
}

bool CDownload_Function::ReadFlashBlock(uint32_t address, uint32_t size, uint8_t* buffer, uint32_t& length)
{
    if (size > kFlashBlockSize)
        return false;
    std::array<uint8_t, 8> payload{};
    WriteLe32(payload.data(), size);
    WriteLe32(payload.data() + 4, address);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        SendFrame(payload.size(), payload.data(), kGroupModelData, kCodeFlashRead);
        if (WaitReplyCount(size + kFrameOverhead)) {
            const int code = ReadWaitingReply();
            uint16_t received = 0;
            if (code == kReplyAck && CopyReplyPayload(size, buffer, received)) {
                length = received;
                return true;
            }
            if (code == kReplyAck)
                Window().ReportLogLine(
                    Format("Data Read Length Error. Recv : 0x%x. Request Size : 0x%x", ReplyPayloadLength(), size));
            else if (code == kReplyBusy)
                Window().ReportLogLine("Serial Flash Busy. Model Data Read Try Again");
            else if (code >= 0)
                Window().ReportFailedExchange(0, code);
        }
        Sleep(kRetryPauseMs);
        Window().ReportLogLine(Format("Data Read Retry. Address : 0x%x. Request Size : 0x%x", address, size));
    }
    return false;
}

bool CDownload_Function::ReadFlashData(uint32_t address, uint32_t size, uint8_t* buffer)
{
    for (uint32_t offset = 0; offset < size; offset += kFlashBlockSize) {
        const uint32_t count = std::min(kFlashBlockSize, size - offset);
        uint32_t length = 0;
        if (!ReadFlashBlock(address + offset, count, buffer + offset, length) || length != count) {
            Window().ReportLogLine(
                Format("Data Read Fail. Address : 0x%x. Request Size : 0x%x", address + offset, count));
            return false;
        }
    }
    return true;
}

bool CDownload_Function::WriteFlashBlock(const uint8_t* payload, uint16_t length)
{
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        SendFrame(length, payload, kGroupModelData, kCodeFlashWrite);
        int code = -1;
        if (WaitAckCode(code))
            return true;
        if (code == kReplyBusy) {
            Window().ReportLogLine("Serial Flash Busy. Data Write Try Again");
            Sleep(kRetryPauseMs);
            continue;
        }
        // Code 3, a time-out and an unsound reply have been reported by the wait.
        if (code >= 0 && code != kReplyError) {
            Window().ReportFailedExchange(0, code);
            Sleep(kFailurePauseMs);
        }
        return false;
    }
    return false;
}

bool CDownload_Function::WriteFlashData(uint32_t address, uint32_t size, const uint8_t* data)
{
    std::array<uint8_t, kAddressSize + kFlashBlockSize> payload;
    for (uint32_t offset = 0; offset < size; offset += kFlashBlockSize) {
        const uint32_t count = std::min(kFlashBlockSize, size - offset);
        payload.fill(0);
        WriteLe32(payload.data(), address + offset);
        std::memcpy(payload.data() + kAddressSize, data + offset, count);
        if (!WriteFlashBlock(payload.data(), static_cast<uint16_t>(kAddressSize + count))) {
            Window().ReportLogLine(
                Format("Data Write Fail. Address : 0x%x. Request Size : 0x%x", address + offset, count));
            return false;
        }
    }
    return true;
}

}  // namespace skarnel
