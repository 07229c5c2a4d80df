#pragma once

namespace CLI {
class App;
}

namespace skarnel::cli {

class CliContext;

// ports, info
void AddLinkCommands(CLI::App& app, CliContext& context);

}  // namespace skarnel::cli
