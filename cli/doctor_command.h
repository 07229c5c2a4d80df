#pragma once

namespace CLI {
class App;
}

namespace skarnel::cli {

class CliContext;

// doctor: what stops this user from reaching the controller, and how to fix each
void AddDoctorCommand(CLI::App& app, CliContext& context);

}  // namespace skarnel::cli
