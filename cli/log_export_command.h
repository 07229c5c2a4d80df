#pragma once

namespace CLI {
class App;
}

namespace skarnel::cli {

class CliContext;

// "log export FILE --csv DIR | --gpx OUT | --kml OUT": the lists of a log file as CSV files,
// or its GPS rows as a GPX track or a KML document.
void AddLogExportCommand(CLI::App& log, CliContext& context);

}  // namespace skarnel::cli
