#pragma once

namespace CLI {
class App;
}

namespace skarnel::cli {

class CliContext;

// clock read, clock write
void AddClockCommands(CLI::App& app, CliContext& context);

}  // namespace skarnel::cli
