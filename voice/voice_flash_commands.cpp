#include "base/byte_order.h"
#include "base/clock.h"
#include "link/download_function.h"
#include "base/format.h"
#include "link/reply_codes.h"
#include "base/reporter.h"
#include "link/rs232.h"
#include "voice/voice_codes.h"
#include "voice/voice_file_info.h"
#include "voice/voice_flash_info.h"

#include <array>

namespace skarnel {
namespace {

constexpr int kAttempts = 6;
constexpr int kAnswerPauseMs = 50;
constexpr int kRetryPauseMs = 500;
constexpr int kEraseStartPauseMs = 200;
constexpr int kEraseSentPauseMs = 10;
constexpr int64_t kEraseSilenceMs = 5000;

std::array<uint8_t, 4> IndexPayload(int index)
{
    std::array<uint8_t, 4> payload{};
    WriteLe32(payload.data(), static_cast<uint32_t>(index));
    return payload;
}

}  // namespace

bool CDownload_Function::ReadVoiceFlashInfo(VoiceFlashInfo& info)
{
    if (!CheckConnected())
        return false;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        SendFrame(0, nullptr, kGroupVoiceFlash, kCodeVoiceFlashInfo);
        Sleep(kAnswerPauseMs);
        const int code = ReadWaitingReply();
        if (code == kReplyAck && ReplyCarries(VoiceFlashInfo::kSize)) {
            const uint8_t* payload = ReplyPayload();
            info = {ReadLe32(payload), ReadLe32(payload + 4), ReadLe32(payload + 8), ReadLe32(payload + 12)};
            return true;
        }
        if (code == kReplyBusy)
            Window().ReportLogLine("Serial Flash Busy. Version Data Read Retry");
        else if (code >= 0 && code != kReplyAck)
            ReportFailedExchange(0, code);
        Sleep(kRetryPauseMs);
    }
    return false;
}

bool CDownload_Function::InitVoiceFlash(int sectorCount)
{
    if (!CheckConnected())
        return false;
    Window().ReportProgressRange(sectorCount, 0);
    Sleep(kEraseStartPauseMs);
    SendFrame(0, nullptr, kGroupVoiceFlash, kCodeVoiceFlashInit);
    Sleep(kEraseSentPauseMs);
    Clock& clock = GetClock();
    int64_t lastFrameMs = clock.NowMs();
    int progress = 0;
    while (clock.NowMs() - lastFrameMs <= kEraseSilenceMs) {
        port->WaitPollStep();
        const int code = ReadWaitingReply();
        if (code == kReplyAck)
            return true;
        if (code == kReplyBusy) {
            ++progress;
            Window().ReportProgress(progress, Format("Flash Initialize....  %d/%d", progress, sectorCount));
            lastFrameMs = clock.NowMs();
        } else if (code >= 0) {
            progress = 0;
        }
    }
    return false;
}

bool CDownload_Function::ReadVoiceFileInfo(int index, VoiceFileInfo& info)
{
    if (!CheckConnected())
        return false;
    const auto payload = IndexPayload(index);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        SendFrame(payload.size(), payload.data(), kGroupVoiceFlash, kCodeVoiceFileInfoRead);
        const int code = WaitReply() ? ReadWaitingReply() : -1;
        if (code == kReplyAck && ReplyCarries(VoiceFileInfo::kSize)) {
            info = VoiceFileInfo::Decode(ReplyRecord<VoiceFileInfo::kSize>());
            return true;
        }
        if (code == kReplyBusy) {
            Window().ReportLogLine(Format("Serial Flash Busy. ADPCM File Info Read Retry. Index : %d", index));
        } else if (code >= 0 && code != kReplyAck) {
            ReportFailedExchange(0, code);
            return false;
        }
        Sleep(kRetryPauseMs);
    }
    return false;
}

bool CDownload_Function::PlayVoiceFile(int index)
{
    if (!CheckConnected())
        return false;
    const auto payload = IndexPayload(index);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        SendFrame(payload.size(), payload.data(), kGroupVoiceFlash, kCodeVoicePlay);
        Sleep(kAnswerPauseMs);
        const int code = ReadWaitingReply();
        if (code == kReplyAck)
            return true;
        if (code == kReplyBusy) {
            Window().ReportLogLine("Serial Flash Busy. ADPCM Play Command Send Again");
        } else if (code >= 0) {
            ReportFailedExchange(0, code);
            return false;
        }
        Sleep(kRetryPauseMs);
    }
    return false;
}

}  // namespace skarnel
