#pragma once

namespace CLI {
class App;
}

namespace skarnel::cli {

class CliContext;

// sd space, sd list, sd get, sd put, sd mkdir, sd delete, sd rmdir
void AddSdCommands(CLI::App& app, CliContext& context);

}  // namespace skarnel::cli
