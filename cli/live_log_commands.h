#pragma once

namespace CLI {
class App;
}

namespace skarnel::cli {

class CliContext;

// skarnel-cli log record [-o FILE.cld] [--duration S] and skarnel-cli log info FILE.
void AddLiveLogCommands(CLI::App& log, CliContext& context);

}  // namespace skarnel::cli
