#include "firmware/download_texts.h"
#include "firmware/scrambler.h"
#include "base/byte_order.h"
#include "base/clock.h"
#include "link/controller_text.h"
#include "link/download_function.h"
#include "link/frame.h"
#include "base/reporter.h"
#include "link/rs232.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>

namespace skarnel {
namespace {

constexpr uint8_t kCodeDownloadStart = 0x32;
constexpr uint8_t kBootupCode = 0x30;
constexpr size_t kBootupReadSize = 1024;
constexpr int kBootupWaitTenths = 100;
constexpr uint32_t kBlockSize = 2048;
constexpr size_t kBlockHeaderSize = 8;
constexpr int kLastArrowStep = 10;
const std::string kBlankWideLine(40, ' ');

// The bytes seen during the boot-up wait that may still begin a frame: a frame that arrives in
// pieces is scanned once all of it has come.
class BootupScan {
public:
    // Adds what was read; true when a sound frame with the boot-up code stands in the bytes,
    // after stray bytes if need be.
    bool Add(CDownload_Function& link, const uint8_t* read, size_t count)
    {
        if (count > kBootupReadSize - kept_)
            kept_ = 0;
        std::copy_n(read, count, bytes_.begin() + static_cast<std::ptrdiff_t>(kept_));
        const size_t total = kept_ + count;
        std::optional<size_t> firstUnfinished;
        for (size_t i = 0; i < total; ++i) {
            if (!CanStartFrame(&bytes_[i], std::min<size_t>(total - i, 3)))
                continue;
            const size_t left = total - i;
            if (left >= kFrameSizingBytes && FrameSize(&bytes_[i]) > kBootupReadSize)
                continue;
            if (left < kFrameSizingBytes || FrameSize(&bytes_[i]) > left) {
                firstUnfinished = firstUnfinished.value_or(i);
                continue;
            }
            if (link.CheckFrame(&bytes_[i], FrameSize(&bytes_[i])) && bytes_[i + 6] == kBootupCode)
                return true;
        }
        Keep(firstUnfinished.value_or(total), total);
        return false;
    }

private:
    void Keep(size_t from, size_t total)
    {
        std::copy(bytes_.begin() + static_cast<std::ptrdiff_t>(from),
                  bytes_.begin() + static_cast<std::ptrdiff_t>(total), bytes_.begin());
        kept_ = total - from;
    }

    std::array<uint8_t, kBootupReadSize> bytes_{};
    size_t kept_ = 0;
};

// The block counter and the arrow on the controller's display; their results are ignored.
void ShowProgressLines(CDownload_Function& link, int block, int blocks, int displayType)
{
    const std::string text = ProgressLineText(block, blocks);
    if (displayType == 0) {
        link.SendLcdLine(6, text);
    } else if (displayType == 1) {
        link.SendLcdLine(4, kBlankWideLine);
        link.SendLcdLine(4, text);
    }
    link.progressStep += 1;
    if (link.progressStep > kLastArrowStep)
        link.progressStep = 1;
    const std::string arrow = ArrowText(link.progressStep);
    if (displayType == 0) {
        link.SendLcdLine(7, arrow);
    } else if (displayType == 1) {
        link.SendLcdLine(5, kBlankWideLine);
        link.SendLcdLine(5, arrow);
    }
}

}  // namespace

bool CDownload_Function::WaitBootupFrame()
{
    Window().ReportProgressRange(kBootupWaitTenths, 0);
    Clock& clock = GetClock();
    const int64_t start = clock.NowMs();
    BootupScan scan;
    std::array<uint8_t, kBootupReadSize> bytes{};
    while (true) {
        if (port && port->IsConnected() && port->InputQueueCount() > 0) {
            port->ClearReceiveBuffer();
            const size_t n = port->ReadBytes(bytes.data(), std::min(port->InputQueueCount(), bytes.size()));
            if (scan.Add(*this, bytes.data(), n))
                return true;
        }
        if (port && port->IsConnected())
            port->WaitPollStep(kPollStepMs);
        else
            Sleep(kPollStepMs);
        const auto elapsed = static_cast<int>((clock.NowMs() - start) / 100);
        if (elapsed > kBootupWaitTenths)
            return false;
        Window().ReportProgress(elapsed, BootupWaitText(elapsed));
    }
}

bool CDownload_Function::SendDownloadStart()
{
    return SingleCommand(CurrentGroup(), kCodeDownloadStart, nullptr, 0);
}

bool CDownload_Function::SendImageFileInformation(uint32_t imageSize, const std::string& upgradeFilePath)
{
    const std::string name = std::filesystem::path(upgradeFilePath).filename().string();
    return SendFileInformation(imageSize, 0, LowBytesOfCharacters(name), "Flash");
}

bool CDownload_Function::DownloadImage(uint32_t size, const uint8_t* image, ImageKind kind, int displayType)
{
    const auto blocks = static_cast<int>((size + kBlockSize - 1) / kBlockSize);
    const uint32_t rest = size % kBlockSize;
    Window().ReportProgressRange(blocks, 0);
    uint32_t offset = 0;
    uint16_t state = ScramblerSeed;
    std::array<uint8_t, kBlockHeaderSize + kBlockSize> payload;
    for (int n = 0; n < blocks; ++n) {
        const uint32_t count = n + 1 == blocks && rest != 0 ? rest : kBlockSize;
        payload.fill(0);
        WriteLe32(payload.data(), offset);
        WriteLe16(payload.data() + 4, state);
        std::copy_n(image + offset, count, payload.data() + kBlockHeaderSize);
        if (!CheckConnected())
            return false;
        if (!SendDataBlock(payload.data(), static_cast<uint16_t>(kBlockHeaderSize + count)))
            return false;
        offset += count;
        state = AdvanceScramblerState(state, count);
        Window().ReportProgress(n, DownloadStatusText(kind, n, blocks));
        if (kind == ImageKind::Application)
            ShowProgressLines(*this, n, blocks, displayType);
    }
    Window().ReportProgress(blocks, DownloadStatusText(kind, blocks, blocks));
    Sleep(200);
    return true;
}

bool CDownload_Function::ShowFirmwareBanner(int displayType)
{
    if (!CheckConnected())
        return false;
    const std::vector<std::string> lines = FirmwareBannerLines(displayType);
    for (size_t line = 0; line < lines.size(); ++line)
        SendLcdLine(static_cast<int>(line), lines[line]);
    return true;
}

}  // namespace skarnel
