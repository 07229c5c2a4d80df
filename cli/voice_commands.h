#pragma once

namespace CLI {
class App;
}

namespace skarnel::cli {

class CliContext;

// voice encode, bundle, check (no controller needed) and send, info, list, download, backup, play
void AddVoiceCommands(CLI::App& app, CliContext& context);
// The file commands and send, under the voice command (voice_file_commands.cpp)
void AddVoiceFileCommands(CLI::App& voice, CliContext& context);
// voice speak: a text spoken into a WAV file (voice_speak_command.cpp)
void AddVoiceSpeakCommand(CLI::App& voice, CliContext& context);

}  // namespace skarnel::cli
