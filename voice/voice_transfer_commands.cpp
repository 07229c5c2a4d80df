#include "base/byte_order.h"
#include "link/download_function.h"
#include "base/job.h"
#include "base/format.h"
#include "link/frame.h"
#include "base/replacing_file.h"
#include "link/reply_codes.h"
#include "base/reporter.h"
#include "link/rs232.h"
#include "voice/sound_file.h"
#include "voice/voice_codes.h"
#include "voice/voice_flash_info.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace skarnel {
namespace {

constexpr int kWriteRetries = 3;
constexpr int kReadAttempts = 3;
constexpr int kRetryPauseMs = 100;
constexpr size_t kAddressSize = 4;

int ChunkCount(uint32_t size)
{
    return static_cast<int>(size / kVoiceChunkSize + (size % kVoiceChunkSize ? 1 : 0));
}

uint32_t ChunkLength(uint32_t size, int chunk, int chunks)
{
    const uint32_t remainder = size % kVoiceChunkSize;
    return chunk == chunks - 1 && remainder > 0 ? remainder : kVoiceChunkSize;
}

}  // namespace

bool CDownload_Function::WriteVoiceArea(const uint8_t* source, uint32_t start, uint32_t size, const std::string& name,
                                        const StopRequest& stop, int kind)
{
    const int chunks = ChunkCount(size);
    Window().ReportProgressRange(std::max(chunks - 1, 0), 0);
    const uint8_t code = kind == kVoiceInfoArea ? kCodeVoiceInfoWrite : kCodeVoiceDataWrite;
    std::array<uint8_t, kAddressSize + kVoiceChunkSize> payload{};
    int retries = 0;
    for (int i = 0; i < chunks;) {
        if (stop.Requested()) {
            Window().ReportLogLine("Thread Stop Flag Set!");
            return false;
        }
        const uint32_t length = ChunkLength(size, i, chunks);
        const uint32_t address = start + kVoiceChunkSize * static_cast<uint32_t>(i);
        WriteLe32(payload.data(), address);
        std::memcpy(payload.data() + kAddressSize, source + kVoiceChunkSize * static_cast<size_t>(i), length);
        if (SingleCommand(kGroupVoiceFlash, code, payload.data(), static_cast<uint16_t>(kAddressSize + length))) {
            Window().ReportProgress(i, Format("File Download : %s  (%d / %d)", name.c_str(), i + 1, chunks));
            retries = 0;
            ++i;
            continue;
        }
        Sleep(kRetryPauseMs);
        const uint32_t sector = address / kVoiceRewriteSector * kVoiceRewriteSector;
        Window().ReportLogLine(
            Format("ADPCM Data Download Fail. Address : 0x%x. Request Size : 0x%x", address, length));
        Sleep(kRetryPauseMs);
        Window().ReportLogLine(Format("ADPCM Data Download Retry. Current Sector Address : 0x%x", sector));
        if (++retries > kWriteRetries)
            return false;
        // Never back before the area's own start.
        i -= std::min<int>(i, static_cast<int>((address - sector) / kVoiceChunkSize));
    }
    return true;
}

bool CDownload_Function::ReadVoiceData(uint16_t& received, uint8_t* buffer, uint32_t address, uint32_t length)
{
    if (!CheckConnected() || length > kVoiceChunkSize)
        return false;
    std::array<uint8_t, 2 * kAddressSize> payload{};
    WriteLe32(payload.data(), length);
    WriteLe32(payload.data() + kAddressSize, address);
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        SendFrame(payload.size(), payload.data(), kGroupVoiceFlash, kCodeVoiceDataRead);
        if (WaitReplyCount(length + kFrameOverhead)) {
            const int code = ReadWaitingReply();
            if (code == kReplyAck && CopyReplyPayload(length, buffer, received))
                return true;
            if (code >= 0 && code != kReplyAck)
                ReportFailedExchange(0, code);
        }
        Sleep(kRetryPauseMs);
        Window().ReportLogLine(
            Format("ADPCM File Data Read Retry. Address : 0x%x. Request Size : 0x%x", address, length));
    }
    return false;
}

bool CDownload_Function::BackupVoiceFile(uint32_t size, const std::filesystem::path& path, uint32_t start,
                                         uint32_t sampleRate, const std::string& name, const StopRequest& stop)
{
    const int chunks = ChunkCount(size);
    Window().ReportProgressRange(chunks, 0);
    ReplacingFile file;
    AdpcmFileHeader header;
    header.sampleRate = sampleRate;
    const auto headerBytes = header.Encode();
    if (!file.Create(path) || !file.Write(headerBytes.data(), headerBytes.size())) {
        Window().ReportLogLine("File Creat Fail");
        return false;
    }
    std::array<uint8_t, kVoiceChunkSize> buffer{};
    uint32_t address = start;
    for (int i = 0; i < chunks; ++i) {
        if (stop.Requested()) {
            Window().ReportLogLine("Thread Stop Flag Set!");
            return false;
        }
        const uint32_t length = ChunkLength(size, i, chunks);
        uint16_t received = 0;
        // A short chunk would shift every later byte of the sound.
        if (!ReadVoiceData(received, buffer.data(), address, length) || received != length) {
            Window().ReportLogLine(
                Format("ADPCM Data Backup Fail. Address : 0x%x. Request Size : 0x%x", address, length));
            return false;
        }
        if (!file.Write(buffer.data(), received)) {
            Window().ReportLogLine("File Creat Fail");
            return false;
        }
        address += length;
        Window().ReportProgress(i + 1, Format("File Backup : %s  (%d / %d)", name.c_str(), i + 1, chunks));
    }
    if (file.Commit())
        return true;
    Window().ReportLogLine("File Creat Fail");
    return false;
}

}  // namespace skarnel
