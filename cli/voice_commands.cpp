#include "cli/voice_commands.h"

#include "cli/cli_context.h"
#include "link/download_function.h"
#include "base/format.h"
#include "base/printable_text.h"
#include "base/reporter.h"
#include "link/rs232.h"
#include "voice/flash_usage.h"
#include "voice/sound_file.h"
#include "voice/voice_bundle.h"
#include "voice/voice_flash_info.h"
#include "voice/voice_jobs.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <functional>
#include <memory>

namespace skarnel::cli {
namespace {

// The controller list's row: No, Name, Size, Time(s), Addr, Sample_Rate.
std::string ControllerRow(int row, const VoiceFileInfo& record)
{
    return Format("%d  %s  %u  %s  %u  %u", row, PrintableName(record.Name()).c_str(), record.size,
                  PlayTimeText(StoredPlayTime(record.size)).c_str(), record.address,
                  static_cast<unsigned>(record.sampleRate));
}

// The flash a bundle takes of its model's voice flash.
FlashUsage BundleUsage(const VoiceBundleHeader& header)
{
    const VoiceModel& model = header.modelCode == kVoiceModels[1].modelCode ? kVoiceModels[1] : kVoiceModels[0];
    return {header.dataSize, UsableVoiceFlash(model.flashSize)};
}

void RunInfo(CliContext& context)
{
    context.RunJob([](CDownload_Function& link, const StopRequest&) {
        std::string failText;
        VoiceFlashInfo info;
        if (!ReadFlashInformation(link, info, failText))
            return JobOutcome::Failure(failText);
        return JobOutcome{true, {}, {}, {}};
    });
}

void RunList(CliContext& context)
{
    context.RunJob([&context](CDownload_Function& link, const StopRequest& stop) {
        std::vector<VoiceFileInfo> records;
        VoiceFlashInfo flash;
        const JobOutcome outcome = ListVoiceFiles(link, stop, records, nullptr, &flash);
        if (!outcome.succeeded)
            return outcome;
        int row = 0;
        FlashUsage usage{0, UsableVoiceFlash(flash.flashSize)};
        for (const VoiceFileInfo& record : records) {
            context.reporter().PrintLine(ControllerRow(++row, record));
            usage.used += record.size;
        }
        context.reporter().PrintLine(usage.Line());
        return outcome;
    });
}

void RunDownload(CliContext& context, const std::string& bundle)
{
    context.RunJob([&context, &bundle](CDownload_Function& link, const StopRequest& stop) {
        const JobOutcome outcome = DownloadVoiceBundle(link, bundle, stop);
        VoiceBundle read;
        std::string failText;
        if (outcome.succeeded &&
            CheckVoiceBundle(bundle, std::nullopt, false, NullReporter::Instance(), read, failText))
            context.reporter().PrintLine(BundleUsage(read.header).Line());
        return outcome;
    });
}

void RunBackup(CliContext& context, const std::string& folder)
{
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    context.RunJob([&context, &folder](CDownload_Function& link, const StopRequest& stop) {
        std::vector<std::filesystem::path> written;
        const JobOutcome outcome = BackupVoiceFiles(link, folder, stop, written);
        for (const std::filesystem::path& path : written)
            context.reporter().ReportLogLine(path.string());
        return outcome;
    });
}

void RunPlay(CliContext& context, int index)
{
    context.RunJob([index](CDownload_Function& link, const StopRequest&) {
        const bool played = link.PlayVoiceFile(index);
        return JobOutcome::Ended(played, played ? "ADPCM Play Command Send" : "ADPCM Play Command Send Fail");
    });
}

void AddControllerCommands(CLI::App& voice, CliContext& context)
{
    voice.add_subcommand("info", "Read the voice flash's geometry and voice data version")->callback([&context] {
        RunInfo(context);
    });
    voice.add_subcommand("list", "List the sounds stored in the controller")->callback([&context] {
        RunList(context);
    });

    auto bundle = std::make_shared<std::string>();
    CLI::App* download =
        voice.add_subcommand("download", "Erase the voice flash and write a voice bundle (.vdf) into it");
    download->add_option("BUNDLE", *bundle, "The voice bundle")->required();
    download->callback([&context, bundle] { RunDownload(context, *bundle); });

    auto folder = std::make_shared<std::string>();
    CLI::App* backup = voice.add_subcommand("backup", "Read every stored sound back into an .apm file in DIR");
    backup->add_option("DIR", *folder, "Folder for the sound files")->required();
    backup->callback([&context, folder] { RunBackup(context, *folder); });

    auto index = std::make_shared<int>(0);
    CLI::App* play = voice.add_subcommand("play", "Make the controller play a stored sound");
    play->add_option("INDEX", *index, "The sound's slot, from 0")->required()->check(CLI::Range(0, 254));
    play->callback([&context, index] { RunPlay(context, *index); });
}

}  // namespace

void AddVoiceCommands(CLI::App& app, CliContext& context)
{
    CLI::App* voice = app.add_subcommand("voice", "Encode sounds, build voice bundles and manage the voice flash");
    voice->require_subcommand(1);
    AddVoiceFileCommands(*voice, context);
    AddVoiceSpeakCommand(*voice, context);
    AddControllerCommands(*voice, context);
}

}  // namespace skarnel::cli
