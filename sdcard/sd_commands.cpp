#include "base/byte_order.h"
#include "link/controller_text.h"
#include "link/download_function.h"
#include "base/format.h"
#include "link/frame.h"
#include "link/reply_codes.h"
#include "link/rs232.h"
#include "sdcard/sd_codes.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

namespace skarnel {
namespace {

constexpr int kNoReply = -1;
constexpr size_t kDataReply = 1;
constexpr size_t kReadHeaderSize = kFrameHeaderSize;
constexpr int kReadHeaderWaitMs = 1000;
constexpr int kReadDataWaitMs = 2000;
constexpr int kReadFailureWaitMs = 100;
constexpr size_t kFailureRest = 3;  // the result byte and the CRC
constexpr size_t kDiskSpaceFieldSize = 10;
constexpr size_t kDiskSpaceFreeOffset = 12;
constexpr size_t kFileStatusReplySize = kFrameOverhead + 30;

std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

// A path as the card wants it: a byte a character, then a zero byte.
std::vector<uint8_t> PathPayload(const std::string& path)
{
    std::vector<uint8_t> payload = Bytes(LowBytesOfCharacters(path));
    payload.push_back(0);
    return payload;
}

// One polled exchange: send, wait until `count` bytes wait (at most waitMs), then the reply
// code of a sound reply, or kNoReply when the reply is missing, short or broken.
int PolledExchange(CDownload_Function& link, uint8_t group, uint8_t code, const std::vector<uint8_t>& payload,
                   int waitMs, size_t count = kDataReply)
{
    link.SendFrame(static_cast<uint16_t>(payload.size()), payload.data(), group, code);
    link.port->WaitForCount(waitMs, count);
    return link.ReadWaitingReply();
}

// Success on reply code 1; a failing reply hands its payload byte 0 back as the result code.
bool Succeeded(const CDownload_Function& link, int replyCode, uint8_t& result)
{
    if (replyCode == kReplyAck)
        return true;
    if (replyCode != kNoReply && link.ReplyCarries(1))
        result = link.ReplyPayload()[0];
    return false;
}

// A command of group 6 tried up to `attempts` times, pausing after every failed attempt.
bool RetriedFileCommand(CDownload_Function& link, uint8_t code, const std::vector<uint8_t>& payload, int waitMs,
                        size_t count, int attempts, uint8_t& result)
{
    if (!link.CheckConnected())
        return false;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (Succeeded(link, PolledExchange(link, kGroupSdFiles, code, payload, waitMs, count), result))
            return true;
        link.Sleep(kSdRetryPauseMs);
    }
    return false;
}

bool OnceFileCommand(CDownload_Function& link, uint8_t code, const std::vector<uint8_t>& payload, int waitMs,
                     size_t count, uint8_t& result)
{
    if (!link.CheckConnected())
        return false;
    return Succeeded(link, PolledExchange(link, kGroupSdFiles, code, payload, waitMs, count), result);
}

std::string ReplyText(const CDownload_Function& link)
{
    return std::string(reinterpret_cast<const char*>(link.ReplyPayload()), link.ReplyPayloadLength());
}

uint32_t ParseHex(const std::string& text)
{
    return static_cast<uint32_t>(std::strtoul(text.c_str(), nullptr, 16));
}

}  // namespace

bool CDownload_Function::SdLogStop()
{
    if (!CheckConnected())
        return false;
    for (int attempt = 0; attempt < kSdLogStopAttempts; ++attempt) {
        const int reply = PolledExchange(*this, kGroupSdLogging, kSdCodeLogStop, {}, 300);
        if (reply == kReplyAck)
            return true;
        if (reply != kReplyBusy && reply != kNoReply)
            return false;
        Sleep(10);
    }
    return false;
}

bool CDownload_Function::SdInit()
{
    uint8_t ignored = 0;
    return OnceFileCommand(*this, kSdCodeDiskInit, {}, 500, kDataReply, ignored);
}

bool CDownload_Function::SdDiskSpace(uint32_t& totalKbyte, uint32_t& freeKbyte)
{
    if (!CheckConnected())
        return false;
    SendFrame(0, nullptr, kGroupSdFiles, kSdCodeShowDrive);
    port->WaitForData(3000);
    Sleep(10);
    if (ReadWaitingReply() != kReplyAck)
        return false;
    const std::string text = ReplyText(*this) + std::string(kDiskSpaceFreeOffset + kDiskSpaceFieldSize, '\0');
    totalKbyte = ParseHex(text.substr(0, kDiskSpaceFieldSize));
    freeKbyte = ParseHex(text.substr(kDiskSpaceFreeOffset, kDiskSpaceFieldSize));
    return true;
}

bool CDownload_Function::SdOpenDirectory(const std::string& path, uint8_t& result)
{
    return OnceFileCommand(*this, kSdCodeDirectoryOpen, PathPayload(path), 500, kDataReply, result);
}

bool CDownload_Function::SdNextEntry(std::string& entry, uint8_t& result)
{
    if (!OnceFileCommand(*this, kSdCodeNextEntry, {}, 300, kDataReply, result))
        return false;
    entry = ReplyText(*this);
    return true;
}

bool CDownload_Function::SdFileStatus(const std::string& path, uint32_t& size, uint8_t& result)
{
    if (!OnceFileCommand(*this, kSdCodeFileStatus, PathPayload(path), 1500, kFileStatusReplySize, result) ||
        !ReplyCarries(sizeof size))
        return false;
    size = ReadLe32(ReplyPayload());
    return true;
}

bool CDownload_Function::SdFileOpen(const std::string& path, uint8_t mode, uint8_t& result)
{
    const std::vector<uint8_t> payload = PathPayload(Format("0x%02x ", mode) + path);
    return RetriedFileCommand(*this, kSdCodeFileOpen, payload, 1000, kDataReply, kSdFileOpenAttempts, result);
}

bool CDownload_Function::SdFileClose(uint8_t& result)
{
    return OnceFileCommand(*this, kSdCodeFileClose, {}, 500, kDataReply, result);
}

// The data reply can be long: its header says how much follows, so it is taken in two steps.
bool CDownload_Function::SdFileRead(uint16_t size, uint8_t* buffer, uint16_t& length, uint8_t& result)
{
    if (!CheckConnected())
        return false;
    const std::vector<uint8_t> request = PathPayload(Format("0x%04x", size));
    SendFrame(static_cast<uint16_t>(request.size()), request.data(), kGroupSdFiles, kSdCodeFileRead);
    port->WaitForCount(kReadHeaderWaitMs, kReadHeaderSize);
    if (port->InputQueueCount() < kReadHeaderSize)
        return false;
    std::array<uint8_t, CRS232::kReceiveBufferSize> frame{};
    if (port->ReadBytes(frame.data(), kReadHeaderSize) < kReadHeaderSize)
        return false;
    const bool data = frame[6] == kReplyAck;
    const size_t rest = data ? ReadLe16(frame.data() + 3) + 2u : kFailureRest;
    port->WaitForCount(data ? kReadDataWaitMs : kReadFailureWaitMs, rest);
    if (port->InputQueueCount() < rest || kReadHeaderSize + rest > frame.size())
        return false;
    if (port->ReadBytes(frame.data() + kReadHeaderSize, rest) < rest ||
        !CheckFrame(frame.data(), kReadHeaderSize + rest))
        return false;
    if (!data) {
        result = frame[kReadHeaderSize];
        return false;
    }
    // More than was asked for would not fit the caller's buffer.
    length = ReadLe16(frame.data() + 3);
    if (length > size)
        return false;
    std::copy_n(frame.data() + kReadHeaderSize, length, buffer);
    return true;
}

bool CDownload_Function::SdFileWrite(const uint8_t* data, uint16_t count, uint32_t& written, uint8_t& result)
{
    if (!CheckConnected())
        return false;
    std::vector<uint8_t> payload = Bytes(Format("0x%04x ", count));
    payload.push_back(0);
    payload.insert(payload.end(), data, data + count);
    if (payload.size() > kMaxFramePayload)
        return false;
    const bool sound =
        Succeeded(*this, PolledExchange(*this, kGroupSdFiles, kSdCodeFileWrite, payload, 3000, kFrameOverhead), result);
    if (!sound) {
        Sleep(kSdRetryPauseMs);
        return false;
    }
    written = ParseHex(ReplyText(*this));
    return true;
}

bool CDownload_Function::SdMakeFolder(const std::string& path, uint8_t& result)
{
    return RetriedFileCommand(*this, kSdCodeMakeFolder, PathPayload(path), 3000, kFrameOverhead, kSdFolderAttempts,
                              result);
}

bool CDownload_Function::SdDelete(const std::string& path, uint8_t& result)
{
    return RetriedFileCommand(*this, kSdCodeDelete, PathPayload(path), 300, kDataReply, kSdFolderAttempts, result);
}

}  // namespace skarnel
