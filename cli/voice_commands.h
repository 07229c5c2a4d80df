#pragma once

#include <functional>
#include <string>

namespace CLI {
class App;
}

namespace skarnel {
class CDownload_Function;
}

namespace skarnel::cli {

class CliContext;

// voice encode, bundle, check (no controller needed) and send, info, list, download, backup, play
void AddVoiceCommands(CLI::App& app, CliContext& context);
// The file commands and send, under the voice command (voice_file_commands.cpp)
void AddVoiceFileCommands(CLI::App& voice, CliContext& context);
// A voice job: open the port, run the job on a fresh protocol object, close, print its final text.
void RunVoiceJob(CliContext& context, const std::function<bool(CDownload_Function&, std::string&)>& job);

}  // namespace skarnel::cli
