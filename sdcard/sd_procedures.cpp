#include "sdcard/sd_procedures.h"

#include "link/download_function.h"
#include "base/file_safe_name.h"
#include "base/format.h"
#include "base/printable_text.h"
#include "base/replacing_file.h"
#include "base/reporter.h"
#include "sdcard/sd_codes.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <system_error>

namespace skarnel {
namespace {

// A listing that never ends is taken for a broken card after this many entries.
constexpr size_t kMaxFolderEntries = 10'000;
constexpr int kStepPauseMs = 300;
constexpr int kNextFilePauseMs = 100;
constexpr uint32_t kBarUnit = 1000;

// What the copies of one batch share: the link, the stop request, the file being copied (its
// name as lines may show it).
class TransferStep {
public:
    TransferStep(CDownload_Function& link, const StopRequest& stop, size_t count)
        : link_(link), stop_(stop), count_(static_cast<int>(count))
    {
    }

    void Begin(size_t index, const std::string& name, bool toPc)
    {
        index_ = static_cast<int>(index) + 1;
        name_ = PrintableName(name);
        Log(Format(toPc ? "%d/%d. %s - SD -> PC File Transfer Ready " : "%d/%d. %s - PC -> SD File Transfer Ready ",
                   index_, count_, name_.c_str()));
        link_.Sleep(kStepPauseMs);
    }

    void Log(const std::string& text) { link_.Window().ReportLogLine(text); }
    SdTransferEnd Fail(const std::string& text)
    {
        Log(text);
        return SdTransferEnd::Failed;
    }
    // A card command failed: its text and the card's result code.
    SdTransferEnd CardFail(const char* text, uint8_t result) { return Fail(CardFailText(text, result)); }
    static std::string CardFailText(const char* text, uint8_t result)
    {
        return Format("%s - %s", text, FatResultText(result).c_str());
    }
    // Closes the card's file after a failure; the failure has been told already.
    SdTransferEnd CloseAndFail(const std::string& text)
    {
        uint8_t ignored = kSdResultNone;
        link_.SdFileClose(ignored);
        return Fail(text);
    }
    bool Stopped() const { return stop_.Requested(); }

    // A range of 0 would be a bar that never ends: a file under one unit gets a range of one,
    // and a copy that is done fills the bar.
    static int BarRange(uint32_t size) { return static_cast<int>(std::max<uint32_t>(size / kBarUnit, 1)); }
    void StartBar(uint32_t size) { link_.Window().ReportProgressRange(BarRange(size), 0); }
    void ShowDone(uint32_t done, uint32_t size)
    {
        link_.Window().ReportProgress(done >= size ? BarRange(size) : static_cast<int>(done / kBarUnit),
                                      Format("%d/%d. %s - %d/%d byte", index_, count_, name_.c_str(),
                                             static_cast<int>(done), static_cast<int>(size)));
    }

    // The card's file closed at the end of a copy; Stopped when the user stopped it.
    SdTransferEnd Close(const std::string& successText)
    {
        link_.Sleep(kStepPauseMs);
        uint8_t result = kSdResultNone;
        if (!link_.SdFileClose(result))
            return CardFail("SD Card File Close Fail", result);
        if (Stopped()) {
            Log("File Transfer Thread Stop ");
            return SdTransferEnd::Stopped;
        }
        Log(successText);
        link_.Sleep(kNextFilePauseMs);
        return SdTransferEnd::Success;
    }

    CDownload_Function& link() { return link_; }

private:
    CDownload_Function& link_;
    const StopRequest& stop_;
    int count_;
    int index_ = 0;
    std::string name_;
};

uint16_t BlockSize(uint32_t size, uint32_t done)
{
    return static_cast<uint16_t>(std::min<uint32_t>(kSdTransferBlockSize, size - done));
}

SdTransferEnd CopyOneToPc(TransferStep& step, const std::string& sdPath, const std::filesystem::path& target)
{
    CDownload_Function& link = step.link();
    uint8_t result = kSdResultNone;
    uint32_t size = 0;
    if (!link.SdFileStatus(sdPath, size, result))
        return step.CardFail("SD Card File Status Read Fail", result);
    step.Log("File Status Read - Ok");
    step.StartBar(size);
    link.Sleep(kStepPauseMs);
    result = kSdResultNone;
    if (!link.SdFileOpen(sdPath, kSdOpenRead, result))
        return step.CardFail("SD Card File Open Fail", result);
    step.Log("File Open - Ok");
    ReplacingFile file;
    if (!file.Create(target))
        return step.CloseAndFail("File Create Fail");
    step.Log("File Transfer Start");
    std::array<uint8_t, kSdTransferBlockSize> block{};
    uint32_t done = 0;
    while (done < size && !step.Stopped()) {
        const uint16_t wanted = BlockSize(size, done);
        uint16_t length = 0;
        result = kSdResultNone;
        if (!link.SdFileRead(wanted, block.data(), length, result))
            return step.CloseAndFail(TransferStep::CardFailText("SD Card File Data Read Fail", result));
        if (length != wanted)
            return step.CloseAndFail(Format("SD Card File Data Read Fail - Request :%d / Read : %d", wanted, length));
        if (!file.Write(block.data(), length))
            return step.CloseAndFail("File Write Fail");
        done += length;
        step.ShowDone(done, size);
    }
    // A copy the user stopped is discarded; the file it would have replaced stays.
    if (done == size && !file.Commit())
        return step.CloseAndFail("File Write Fail");
    return step.Close(Format("SD -> PC File Transfer Success. File Size : %d byte ", static_cast<int>(done)));
}

SdTransferEnd CopyOneToSd(TransferStep& step, const std::filesystem::path& source, const std::string& sdPath)
{
    CDownload_Function& link = step.link();
    std::ifstream file(source, std::ios::binary);
    std::error_code error;
    const auto fileSize = std::filesystem::file_size(source, error);
    if (!file || error || fileSize > UINT32_MAX)
        return step.Fail("PC File Open Fail");
    const auto size = static_cast<uint32_t>(fileSize);
    step.StartBar(size);
    uint8_t result = kSdResultNone;
    if (!link.SdFileOpen(sdPath, kSdOpenCreate, result))
        return step.CardFail("SD Card File Create Fail", result);
    step.Log("File Create - Ok");
    link.Sleep(kStepPauseMs);
    link.SdFileClose(result);
    link.Sleep(kStepPauseMs);
    result = kSdResultNone;
    if (!link.SdFileOpen(sdPath, kSdOpenWrite, result))
        return step.CardFail("SD Card File Open Fail", result);
    step.Log("PC -> SD File Transfer Start");
    std::array<uint8_t, kSdTransferBlockSize> block{};
    uint32_t done = 0;
    while (done < size && !step.Stopped()) {
        const uint16_t count = BlockSize(size, done);
        if (!file.read(reinterpret_cast<char*>(block.data()), count))
            return step.CloseAndFail("PC File Read Fail");
        uint32_t written = 0;
        result = kSdResultNone;
        if (!link.SdFileWrite(block.data(), count, written, result))
            return step.CloseAndFail(TransferStep::CardFailText("SD Card File Write Fail", result));
        if (written != count)
            return step.CloseAndFail(
                Format("SD Card File Data Write Fail - Request :%d / Read : %d", count, static_cast<int>(written)));
        done += count;
        step.ShowDone(done, size);
    }
    return step.Close(Format("PC -> SD File Transfer Success. File Size : %d byte ", static_cast<int>(done)));
}

JobOutcome TransferOutcome(SdTransferEnd end)
{
    switch (end) {
    case SdTransferEnd::Success: return {true, {}, "File Transfer Success", {}};
    case SdTransferEnd::Failed: return {false, {}, "File Transfer Fail", {}};
    case SdTransferEnd::Stopped: break;
    }
    return {};
}

}  // namespace

std::string StartSdCard(CDownload_Function& link, uint32_t& totalKbyte, uint32_t& freeKbyte)
{
    if (!link.SdLogStop())
        return "SD Log Stop Fail";
    if (!link.SdInit())
        return "SD Init Fail";
    if (!link.SdDiskSpace(totalKbyte, freeKbyte))
        return "SD Size Read Fail";
    return {};
}

SdListing ListSdFolder(CDownload_Function& link, const std::string& folder, std::vector<SdEntry>& entries,
                       uint8_t& result)
{
    result = kSdResultNone;
    if (!link.SdOpenDirectory(folder, result))
        return SdListing::OpenFailed;
    entries.clear();
    while (entries.size() < kMaxFolderEntries) {
        std::string text;
        result = kSdResultNone;
        if (!link.SdNextEntry(text, result))
            return SdListing::ReadFailed;
        if (text.empty())
            return SdListing::Listed;
        entries.push_back(ParseSdEntry(text));
    }
    return SdListing::ReadFailed;
}

void ReadSdFileSizes(CDownload_Function& link, const std::string& folder, std::vector<SdEntry>& entries)
{
    for (SdEntry& entry : entries) {
        if (!entry.IsFile())
            continue;
        uint32_t size = 0;
        uint8_t result = kSdResultNone;
        if (!link.SdFileStatus(SdChildPath(folder, entry.name), size, result))
            return;
        entry.size = size;
    }
}

SdTransferEnd CopySdToPc(CDownload_Function& link, const std::string& sdFolder, const std::vector<std::string>& names,
                         const std::filesystem::path& pcFolder, const StopRequest& stopRequest)
{
    TransferStep step(link, stopRequest, names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        step.Begin(i, names[i], true);
        if (!IsPcSafeName(names[i]))
            return step.Fail(Format("File Name Refused - %s", FileSafeName(names[i]).c_str()));
        const SdTransferEnd end = CopyOneToPc(step, SdChildPath(sdFolder, names[i]), pcFolder / names[i]);
        if (end != SdTransferEnd::Success)
            return end;
    }
    return SdTransferEnd::Success;
}

SdTransferEnd CopyPcToSd(CDownload_Function& link, const std::vector<std::filesystem::path>& files,
                         const std::string& sdFolder, const StopRequest& stopRequest)
{
    TransferStep step(link, stopRequest, files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        const std::string name = files[i].filename().string();
        step.Begin(i, name, false);
        const SdTransferEnd end = CopyOneToSd(step, files[i], SdChildPath(sdFolder, name));
        if (end != SdTransferEnd::Success)
            return end;
    }
    return SdTransferEnd::Success;
}

JobOutcome SdToPcJob(CDownload_Function& link, const std::string& sdFolder, const std::vector<std::string>& names,
                     const std::filesystem::path& pcFolder, const StopRequest& stopRequest)
{
    return TransferOutcome(CopySdToPc(link, sdFolder, names, pcFolder, stopRequest));
}

JobOutcome PcToSdJob(CDownload_Function& link, const std::vector<std::filesystem::path>& files,
                     const std::string& sdFolder, const StopRequest& stopRequest)
{
    return TransferOutcome(CopyPcToSd(link, files, sdFolder, stopRequest));
}

}  // namespace skarnel
