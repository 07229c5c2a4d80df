#include "base/replacing_file.h"
#include "cli/cli_context.h"
#include "cli/voice_commands.h"
#include "voice/wave_control.h"

#include <CLI/CLI.hpp>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

extern char** environ;

namespace skarnel::cli {
namespace {

struct SpeakOptions {
    std::string text;
    std::string target;
    std::string voice;
};

// Runs a program with its arguments as they are, never through a shell, so that the spoken
// text cannot become a command; true when it ran and ended with 0.
bool RunProgram(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A folder of this run's own for the speech before it is resampled.
struct ScratchFolder {
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "skarnel-speak-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            path = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        if (!path.empty())
            std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path;
};

std::vector<uint8_t> FileBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

void RunSpeak(CliContext& context, const SpeakOptions& options)
{
    ScratchFolder scratch;
    if (scratch.path.empty()) {
        context.Finish("File Creat Fail", false);
        return;
    }
    const std::string spoken = (scratch.path / "spoken.wav").string();
    const std::string resampled = (scratch.path / "resampled.wav").string();
    std::vector<std::string> speak{"espeak-ng", "-w", spoken};
    if (!options.voice.empty())
        speak.insert(speak.end(), {"-v", options.voice});
    speak.insert(speak.end(), {"--", options.text});
    if (!RunProgram(speak) ||
        !RunProgram({"sox", spoken, "-r", "11025", "-c", "1", "-b", "16", "-e", "signed-integer", resampled})) {
        context.Finish("Speech Fail: espeak-ng or sox failed (installed? a known voice?)", false);
        return;
    }
    uint32_t estimate = 0, rate = 0, byteRate = 0;
    if (CWave_Control::CheckWaveFile(resampled, estimate, rate, byteRate) != kWaveAccepted) {
        context.Finish("File Convert Fail", false);
        return;
    }
    const std::vector<uint8_t> bytes = FileBytes(resampled);
    if (!WriteReplacingFile(options.target, bytes.data(), bytes.size())) {
        context.Finish("File Creat Fail", false);
        return;
    }
    context.reporter().ReportLogLine(options.target);
    context.Finish("File Convert Success", true);
}

}  // namespace

void AddVoiceSpeakCommand(CLI::App& voice, CliContext& context)
{
    auto options = std::make_shared<SpeakOptions>();
    CLI::App* speak = voice.add_subcommand("speak", "Speak a text into a WAV file the voice set takes (espeak-ng)");
    speak->add_option("TEXT", options->text, "The words")->required();
    speak->add_option("-o,--output", options->target, "The WAV file (11025 Hz, mono, 16-bit)")->required();
    speak->add_option("--voice", options->voice, "An espeak-ng voice, e.g. en-us or de");
    speak->callback([&context, options] { RunSpeak(context, *options); });
}

}  // namespace skarnel::cli
