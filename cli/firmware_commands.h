#pragma once

namespace CLI {
class App;
}

namespace skarnel::cli {

class CliContext;

// firmware check, firmware merge, firmware ymodem, firmware gang, firmware upgrade
void AddFirmwareCommands(CLI::App& app, CliContext& context);

}  // namespace skarnel::cli
