#pragma once

namespace CLI {
class App;
}

namespace skarnel::cli {

class CliContext;

// "telemetry read": one snapshot of every telemetry record.
// "log show FILE": the rows of a live log (.cld) or a controller log.
void AddTelemetryCommands(CLI::App& app, CliContext& context);

}  // namespace skarnel::cli
