#include "cli/cli_context.h"
#include "cli/voice_commands.h"
#include "base/format.h"
#include "base/printable_text.h"
#include "voice/adpcm_decoder.h"
#include "voice/flash_usage.h"
#include "voice/sound_file.h"
#include "voice/voice_bundle.h"
#include "voice/voice_jobs.h"
#include "voice/wave_control.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <optional>

namespace skarnel::cli {
namespace {

struct EncodeOptions {
    std::string source;
    std::string target;
};

struct BundleOptions {
    std::vector<std::string> sources;
    std::string target;
    std::string model = kVoiceModels[0].name;
    uint32_t version = 0;
};

struct CheckOptions {
    std::string path;
    std::optional<uint32_t> version;
    uint32_t flashSize = kVoiceModels[0].flashSize;
};

// The stream bytes a Send placed in the flash.
struct PlacedSounds final : VoiceBuildRows {
    void SoundPlaced(size_t, const VoiceFileInfo& record) override { bytes += record.size; }
    uint64_t bytes = 0;
};

const VoiceModel& ModelNamed(const std::string& name)
{
    return name == kVoiceModels[1].name ? kVoiceModels[1] : kVoiceModels[0];
}

// The sounds of a set as the file selection lists them; the first refusal ends the command.
bool ListSources(CliContext& context, const std::vector<std::string>& paths, std::vector<VoiceSource>& sounds)
{
    if (paths.size() > kMaxVoiceFiles) {
        context.Finish("Maximum File Count Over    ", false);
        return false;
    }
    for (const std::string& path : paths) {
        FileMessage message;
        const auto figures = DescribeSoundFile(path, message);
        if (!figures) {
            context.Finish(message.text, false);
            return false;
        }
        sounds.push_back({path, std::filesystem::path(path).filename().string(), figures->size, figures->sampleRate});
    }
    return true;
}

void RunEncode(CliContext& context, const EncodeOptions& options)
{
    FileMessage message;
    const auto figures = DescribeSoundFile(options.source, message);
    if (!figures || IsApmPath(options.source)) {
        context.Finish(figures ? "Wave File Only" : message.text, false);
        return;
    }
    std::filesystem::path target = options.target;
    if (target.empty())
        target = std::filesystem::path(options.source).replace_extension(".apm");
    CWave_Control wave;
    std::vector<uint8_t> stream;
    if (wave.ConvertToAdpcm(options.source, stream, kVoiceResolution) == 0) {
        context.Finish("File Convert Fail", false);
        return;
    }
    if (!WriteApmFile(target, figures->sampleRate, stream)) {
        context.Finish("File Creat Fail", false);
        return;
    }
    context.reporter().ReportLogLine(target.string());
    context.Finish("File Convert Success", true);
}

void RunBundle(CliContext& context, const BundleOptions& options)
{
    std::vector<VoiceSource> sounds;
    if (!ListSources(context, options.sources, sounds))
        return;
    const VoiceModel& model = ModelNamed(options.model);
    const std::filesystem::path target = BundleFileName(options.target);
    std::string finalText;
    const bool made = PackageVoiceBundle(sounds, target, options.version, model.modelCode, model.flashSize,
                                         StopRequest{}, context.reporter(), finalText);
    if (made)
        context.reporter().ReportLogLine(target.string());
    context.Finish(finalText, made);
}

void RunSend(CliContext& context, const BundleOptions& options)
{
    std::vector<VoiceSource> sounds;
    if (!ListSources(context, options.sources, sounds))
        return;
    const VoiceModel& model = ModelNamed(options.model);
    context.RunJob([&](CDownload_Function& link, const StopRequest& stop) {
        PlacedSounds placed;
        const JobOutcome outcome = SendVoiceSounds(link, sounds, options.version, model, stop, &placed);
        if (outcome.succeeded)
            context.reporter().PrintLine(FlashUsage{placed.bytes, UsableVoiceFlash(model.flashSize)}.Line());
        return outcome;
    });
}

void RunPreview(CliContext& context, const EncodeOptions& options)
{
    FileMessage message;
    const auto figures = DescribeSoundFile(options.source, message);
    if (!figures || IsApmPath(options.source)) {
        context.Finish(figures ? "Wave File Only" : message.text, false);
        return;
    }
    std::filesystem::path target = options.target;
    if (target.empty())
        target = std::filesystem::path(options.source).replace_extension().string() + "_preview.wav";
    if (!WriteVoicePreview(options.source, target)) {
        context.Finish("File Convert Fail", false);
        return;
    }
    context.reporter().ReportLogLine(target.string());
    context.Finish("File Convert Success", true);
}

void PrintSoundFigures(CliContext& context, const SoundFigures& figures)
{
    context.reporter().PrintLine(Format("Size : %llu, Stream Size : %u, Time(s) : %s, Sample Rate : %u",
                                        static_cast<unsigned long long>(figures.size), figures.streamSize,
                                        PlayTimeText(figures.playTime).c_str(), figures.sampleRate));
}

void RunCheck(CliContext& context, const CheckOptions& options)
{
    if (IsApmPath(options.path) || IsWavPath(options.path)) {
        FileMessage message;
        const auto figures = DescribeSoundFile(options.path, message);
        if (figures)
            PrintSoundFigures(context, *figures);
        context.Finish(figures ? "" : message.text, figures.has_value());
        return;
    }
    VoiceBundle bundle;
    std::string failText;
    if (!CheckVoiceBundle(options.path, options.version, false, context.reporter(), bundle, failText)) {
        context.Finish(failText, false);
        return;
    }
    int row = 0;
    for (const VoiceFileInfo& record : bundle.Records())
        context.reporter().PrintLine(
            Format("%d  %s  %u  %u", ++row, PrintableName(record.Name()).c_str(), record.size, record.sampleRate));
    const bool fits = BundleFitsFlash(bundle.header, options.flashSize);
    context.Finish(fits ? "" : "Flash Memory Not Enough", fits);
}

void AddSetOptions(CLI::App& command, BundleOptions& options)
{
    command.add_option("FILES", options.sources, "The sounds, in their order")->required();
    command.add_option("--version", options.version, "The voice data version of the controller's firmware")
        ->required()
        ->check(CLI::Range(0, 9999));
    command.add_option("--model", options.model, "The target transmitter model")
        ->check(CLI::IsMember({kVoiceModels[0].name, kVoiceModels[1].name}));
}

void AddEncode(CLI::App& voice, CliContext& context)
{
    auto options = std::make_shared<EncodeOptions>();
    CLI::App* encode = voice.add_subcommand("encode", "Convert a mono PCM WAV file into an .apm sound file");
    encode->add_option("WAV", options->source, "The WAV file (11025 or 8000 Hz, mono, PCM)")->required();
    encode->add_option("-o,--output", options->target, "The sound file (default: the WAV file's name with .apm)");
    encode->callback([&context, options] { RunEncode(context, *options); });
}

void AddPreview(CLI::App& voice, CliContext& context)
{
    auto options = std::make_shared<EncodeOptions>();
    CLI::App* preview =
        voice.add_subcommand("preview", "Write what the controller will play of a WAV file as a 16-bit WAV file");
    preview->add_option("WAV", options->source, "The WAV file (11025 or 8000 Hz, mono, PCM)")->required();
    preview->add_option("-o,--output", options->target, "The WAV file written (default: NAME_preview.wav)");
    preview->callback([&context, options] { RunPreview(context, *options); });
}

void AddBundle(CLI::App& voice, CliContext& context)
{
    auto options = std::make_shared<BundleOptions>();
    CLI::App* bundle = voice.add_subcommand("bundle", "Package WAV and .apm files into a voice bundle (.vdf)");
    AddSetOptions(*bundle, *options);
    bundle->add_option("-o,--output", options->target, "The bundle (\".vdf\" is added unless the name holds it)")
        ->required();
    bundle->callback([&context, options] { RunBundle(context, *options); });
}

void AddSend(CLI::App& voice, CliContext& context)
{
    auto options = std::make_shared<BundleOptions>();
    CLI::App* send = voice.add_subcommand("send", "Convert WAV and .apm files and write them into the voice flash");
    AddSetOptions(*send, *options);
    send->callback([&context, options] { RunSend(context, *options); });
}

void AddCheck(CLI::App& voice, CliContext& context)
{
    auto options = std::make_shared<CheckOptions>();
    CLI::App* check = voice.add_subcommand("check", "Check a voice bundle and list its sounds, or a WAV or .apm file");
    check->add_option("FILE", options->path, "A .vdf, .wav or .apm file")->required();
    check->add_option("--version", options->version, "Refuse a bundle of another voice data version");
    check->add_option("--flash-size", options->flashSize, "The controller's voice flash size in bytes");
    check->callback([&context, options] { RunCheck(context, *options); });
}

}  // namespace

void AddVoiceFileCommands(CLI::App& voice, CliContext& context)
{
    AddEncode(voice, context);
    AddPreview(voice, context);
    AddBundle(voice, context);
    AddSend(voice, context);
    AddCheck(voice, context);
}

}  // namespace skarnel::cli
