#pragma once

namespace CLI {
class App;
}

namespace skarnel::cli {

class CliContext;

// model list, backup, save, restore, restore-converted, convert
void AddModelCommands(CLI::App& app, CliContext& context);
// model convert, under the model command (model_convert_command.cpp)
void AddModelConvertCommand(CLI::App& model, CliContext& context);

}  // namespace skarnel::cli
