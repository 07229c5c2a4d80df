#include "base/byte_order.h"
#include "link/download_function.h"
#include "link/rs232.h"

#include <array>
#include <vector>

namespace skarnel {
namespace {

enum CommonCode : uint8_t {
    kCodeVersionAddressRead = 0x10,
    kCodeProductInfoRead = 0x11,
    kCodeFileInformation = 0x12,
    kCodeDataBlock = 0x13,
    kCodeEraseApplication = 0x14,
    kCodeRestart = 0x20,
    kCodeLcdLine = 0x21,
    kCodeDisplayClear = 0x22,
    kCodeDisplayOn = 0x23,
    kCodeDisplayOff = 0x24,
    kCodeRfPause = 0x31,
};

constexpr size_t kTextPayloadSize = 512;

// The low byte of each character, as the controller takes them.
void AppendText(std::vector<uint8_t>& payload, const std::string& text)
{
    for (char c : text)
        payload.push_back(static_cast<uint8_t>(c));
}

}  // namespace

bool CDownload_Function::ReadProductInfo(ProductInfo& info)
{
    if (!QueryCommand(CurrentGroup(), kCodeProductInfoRead, nullptr, 0) || !ReplyCarries(ProductInfo::kReplySize))
        return false;
    info = ProductInfo::FromReply(ReplyRecord<ProductInfo::kReplySize>());
    return true;
}

bool CDownload_Function::ReadVersionAddressInfo(VersionAddressInfo& info)
{
    if (!QueryCommand(CurrentGroup(), kCodeVersionAddressRead, nullptr, 0) ||
        !ReplyCarries(VersionAddressInfo::kReplySize))
        return false;
    info = VersionAddressInfo::FromReply(ReplyRecord<VersionAddressInfo::kReplySize>());
    return true;
}

bool CDownload_Function::SendFileInformation(uint32_t valueA, uint32_t valueB, const std::string& name,
                                             const std::string& memory)
{
    if (!CheckConnected())
        return false;
    if (10 + name.size() + memory.size() > kTextPayloadSize)
        return false;
    std::vector<uint8_t> payload(8);
    WriteLe32(payload.data(), valueA);
    WriteLe32(payload.data() + 4, valueB);
    AppendText(payload, name);
    payload.push_back(0);
    AppendText(payload, memory);
    payload.push_back(0);
    return AcknowledgedCommand(CurrentGroup(), kCodeFileInformation, payload.data(),
                               static_cast<uint16_t>(payload.size()));
}

bool CDownload_Function::SendDataBlock(const uint8_t* payload, uint16_t length)
{
    return AcknowledgedCommand(CurrentGroup(), kCodeDataBlock, payload, length);
}

bool CDownload_Function::EraseApplicationArea()
{
    return UnansweredCommand(CurrentGroup(), kCodeEraseApplication, nullptr, 0, 50);
}

bool CDownload_Function::RequestRestart()
{
    if (!CheckConnected())
        return false;
    SendFrame(0, nullptr, kGroupApplication, kCodeRestart);
    for (int pause = 0; pause < 3; ++pause)
        Sleep(50);
    const size_t waiting = port->InputQueueCount();
    if (waiting > 0)
        port->ReadToBuffer(waiting);
    return true;
}

bool CDownload_Function::SendLcdLine(int line, const std::string& text)
{
    if (!CheckConnected())
        return false;
    if (text.size() + 1 > kTextPayloadSize)
        return false;
    std::vector<uint8_t> payload{static_cast<uint8_t>(line)};
    AppendText(payload, text);
    return AcknowledgedCommand(CurrentGroup(), kCodeLcdLine, payload.data(), static_cast<uint16_t>(payload.size()));
}

bool CDownload_Function::DisplayClear()
{
    return AcknowledgedCommand(CurrentGroup(), kCodeDisplayClear, nullptr, 0);
}

bool CDownload_Function::DisplayControlOn()
{
    return AcknowledgedCommand(CurrentGroup(), kCodeDisplayOn, nullptr, 0);
}

bool CDownload_Function::DisplayControlOff()
{
    return AcknowledgedCommand(CurrentGroup(), kCodeDisplayOff, nullptr, 0);
}

bool CDownload_Function::PauseRfProcess()
{
    return AcknowledgedCommand(kGroupRfProcess, kCodeRfPause, nullptr, 0);
}

bool CDownload_Function::PauseRfProcessOnce()
{
    return SingleCommand(CurrentGroup(), kCodeRfPause, nullptr, 0);
}

bool CDownload_Function::ShowModelDataBanner(bool read)
{
    if (!DisplayControlOn())
        return false;
    Sleep(100);
    if (!DisplayClear())
        return false;
    Sleep(100);
    const std::array<const char*, 5> lines{
        "---------------------", "* Model Data        *", read ? "* Read Start        *" : "* Write Start       *",
        "* Please Wait....   *", "---------------------",
    };
    for (size_t line = 0; line < lines.size(); ++line) {
        SendLcdLine(static_cast<int>(line), lines[line]);
        Sleep(50);
    }
    return true;
}

}  // namespace skarnel
