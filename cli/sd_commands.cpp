#include "cli/sd_commands.h"

#include "cli/cli_context.h"
#include "link/download_function.h"
#include "base/format.h"
#include "base/printable_text.h"
#include "link/rs232.h"
#include "sdcard/pc_folder.h"
#include "sdcard/sd_codes.h"
#include "sdcard/sd_procedures.h"
#include "base/app_folder.h"

#include <CLI/CLI.hpp>
#include <functional>
#include <memory>

namespace skarnel::cli {
namespace {

namespace fs = std::filesystem;

struct SdOptions {
    std::string folder = "/";
    std::vector<std::string> names;
    std::string pcFolder;
    std::string path;
};

using CardJob = std::function<bool(CDownload_Function&, TerminalReporter&, const SdOptions&, const StopRequest&)>;

// Connects as the SD card view does (log stop, card initialise, disk space), then runs the job;
// Ctrl-C ends a transfer after the current block, so both files are closed.
void RunOnCard(CliContext& context, const SdOptions& options, const CardJob& job)
{
    context.RunJob([&](CDownload_Function& link, const StopRequest& stop) {
        uint32_t total = 0;
        uint32_t free = 0;
        const std::string failure = StartSdCard(link, total, free);
        if (!failure.empty())
            return JobOutcome::Failure(failure);
        return JobOutcome{job(link, context.reporter(), options, stop), {}, {}, {}};
    });
}

void PrintDiskSpace(CDownload_Function& link, TerminalReporter& out)
{
    uint32_t total = 0;
    uint32_t free = 0;
    if (link.SdDiskSpace(total, free))
        out.PrintLine(DiskSpaceText(total, free) + Format("  Used : %d %%", UsedPercent(total, free)));
    else
        out.PrintLine("SD Size Read Fail");
}

std::string EntryRow(int number, const SdEntry& entry)
{
    std::string size = "<DIR>";
    if (!entry.IsFolder())
        size = entry.size ? GroupedSizeText(*entry.size) : std::string();
    const std::string name = PrintableName(entry.name) + (entry.IsFolder() ? "/" : "");
    return Format("%3d  %s  %s  %13s  %s", number, entry.date.c_str(), entry.time.c_str(), size.c_str(), name.c_str());
}

bool ListFolder(CDownload_Function& link, TerminalReporter& out, const std::string& folder)
{
    std::vector<SdEntry> entries;
    uint8_t result = kSdResultNone;
    const SdListing listing = ListSdFolder(link, folder, entries, result);
    if (listing == SdListing::OpenFailed) {
        out.PrintLine(folder == "/" ? "SD Root Directory Open Fail" : "SD Directory Open Fail");
        return false;
    }
    ReadSdFileSizes(link, folder, entries);
    int number = 0;
    for (const SdEntry& entry : entries)
        out.PrintLine(EntryRow(++number, entry));
    if (listing == SdListing::ReadFailed) {
        out.PrintLine(Format("File List Read Fail - %s", FatResultText(result).c_str()));
        return false;
    }
    return true;
}

// The view takes at most this many files at once; so does the command line.
template <typename T> std::vector<T> FirstTransferFiles(std::vector<T> files, TerminalReporter& out)
{
    if (files.size() > kMaxTransferFiles) {
        out.PrintLine(Format("Only the first %d files are transferred", static_cast<int>(kMaxTransferFiles)));
        files.resize(kMaxTransferFiles);
    }
    return files;
}

// A stopped transfer ends without a word, as the view's ends without a box.
bool TransferEnded(const JobOutcome& outcome, TerminalReporter& out)
{
    if (!outcome.boxText.empty())
        out.PrintLine(outcome.boxText);
    return outcome.succeeded;
}

std::optional<fs::path> DefaultPcFolder(TerminalReporter& out)
{
    std::string error;
    std::optional<fs::path> folder = EnsureApplicationFolder(error);
    if (folder)
        folder = EnsureSdBackupFolder(*folder, error);
    if (!folder)
        out.PrintLine(error);
    return folder;
}

bool Get(CDownload_Function& link, TerminalReporter& out, const SdOptions& options, const StopRequest& stop)
{
    const std::optional<fs::path> pcFolder = options.pcFolder.empty() ? DefaultPcFolder(out) : options.pcFolder;
    if (!pcFolder)
        return false;
    const std::vector<std::string> names = FirstTransferFiles(options.names, out);
    return TransferEnded(SdToPcJob(link, options.folder, names, *pcFolder, stop), out);
}

bool Put(CDownload_Function& link, TerminalReporter& out, const SdOptions& options, const StopRequest& stop)
{
    std::vector<fs::path> files(options.names.begin(), options.names.end());
    files = FirstTransferFiles(files, out);
    if (!TransferEnded(PcToSdJob(link, files, options.folder, stop), out))
        return false;
    PrintDiskSpace(link, out);
    return true;
}

bool MakeFolder(CDownload_Function& link, TerminalReporter& out, const std::string& path)
{
    uint8_t result = kSdResultNone;
    if (link.SdMakeFolder(path, result))
        return true;
    out.PrintLine("Make Folder Fail");
    return false;
}

enum class Deleted { File, Folder };

bool Delete(CDownload_Function& link, TerminalReporter& out, const std::string& path, Deleted kind)
{
    const bool folder = kind == Deleted::Folder;
    if (!out.AskYesNo(Format(folder ? "Folder Delete - %s   " : "File Delete - %s   ", path.c_str()), "Delete",
                      MessageIcon::Question))
        return false;
    uint8_t result = kSdResultNone;
    if (link.SdDelete(path, result))
        return true;
    out.PrintLine(Format(folder ? "Folder Delete Fail -%s \r\n %s   " : "File Delete Fail -%s \r\n %s   ", path.c_str(),
                         FatResultText(result).c_str()));
    return false;
}

void OnRun(CLI::App* command, CliContext& context, std::shared_ptr<SdOptions> options, CardJob job)
{
    command->callback([&context, options, job = std::move(job)] { RunOnCard(context, *options, job); });
}

void AddTransferCommands(CLI::App& sd, CliContext& context)
{
    auto options = std::make_shared<SdOptions>();
    CLI::App* get = sd.add_subcommand("get", "Copy files of a card folder to the PC");
    get->add_option("FOLDER", options->folder, "The card folder, e.g. /LogData")->required();
    get->add_option("NAMES", options->names, "The files to copy (at most 100)")->required();
    get->add_option("-o,--output", options->pcFolder, "PC folder; default: SD_Card_Backup in the application folder")
        ->check(CLI::ExistingDirectory);
    OnRun(get, context, options, Get);

    CLI::App* put = sd.add_subcommand("put", "Copy PC files into a card folder");
    put->add_option("FILES", options->names, "The PC files to copy (at most 100)")
        ->required()
        ->check(CLI::ExistingFile);
    put->add_option("--to", options->folder, "The card folder; default: /");
    OnRun(put, context, options, Put);
}

void AddFolderCommands(CLI::App& sd, CliContext& context)
{
    auto options = std::make_shared<SdOptions>();
    CLI::App* list = sd.add_subcommand("list", "List a card folder with its files' sizes");
    list->add_option("FOLDER", options->folder, "The card folder; default: /");
    OnRun(list, context, options,
          [](CDownload_Function& link, TerminalReporter& out, const SdOptions& o, const StopRequest&) {
              return ListFolder(link, out, o.folder);
          });

    CLI::App* mkdir = sd.add_subcommand("mkdir", "Make a folder on the card");
    mkdir->add_option("PATH", options->path, "The new folder, e.g. /Models/Heli")->required();
    OnRun(mkdir, context, options,
          [](CDownload_Function& link, TerminalReporter& out, const SdOptions& o, const StopRequest&) {
              return MakeFolder(link, out, o.path);
          });

    CLI::App* remove = sd.add_subcommand("delete", "Delete a file on the card");
    remove->add_option("PATH", options->path, "The file, e.g. /LogData/x.cld")->required();
    OnRun(remove, context, options,
          [](CDownload_Function& link, TerminalReporter& out, const SdOptions& o, const StopRequest&) {
              return Delete(link, out, o.path, Deleted::File);
          });

    CLI::App* rmdir = sd.add_subcommand("rmdir", "Delete an empty folder on the card");
    rmdir->add_option("PATH", options->path, "The folder, e.g. /Models/Heli")->required();
    OnRun(rmdir, context, options,
          [](CDownload_Function& link, TerminalReporter& out, const SdOptions& o, const StopRequest&) {
              return Delete(link, out, o.path, Deleted::Folder);
          });
}

}  // namespace

void AddSdCommands(CLI::App& app, CliContext& context)
{
    CLI::App* sd = app.add_subcommand("sd", "Manage the files on the controller's SD card");
    sd->require_subcommand(1);
    auto options = std::make_shared<SdOptions>();
    OnRun(sd->add_subcommand("space", "Show the card's size and free space"), context, options,
          [](CDownload_Function& link, TerminalReporter& out, const SdOptions&, const StopRequest&) {
              PrintDiskSpace(link, out);
              return true;
          });
    AddFolderCommands(*sd, context);
    AddTransferCommands(*sd, context);
}

}  // namespace skarnel::cli
