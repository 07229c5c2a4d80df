#include "cli/cli_context.h"
#include "cli/clock_commands.h"
#include "cli/doctor_command.h"
#include "cli/firmware_commands.h"
#include "cli/link_commands.h"
#include "cli/model_commands.h"
#include "cli/sd_commands.h"
#include "cli/telemetry_commands.h"
#include "cli/voice_commands.h"

#include <CLI/CLI.hpp>

int main(int argc, char** argv)
{
    using namespace skarnel::cli;
    CLI::App app{"Skarnel: service the controller from the command line"};
    app.require_subcommand(1);
    CliContext context;
    context.AddGlobalOptions(app);
    AddLinkCommands(app, context);
    AddDoctorCommand(app, context);
    AddClockCommands(app, context);
    AddFirmwareCommands(app, context);
    AddModelCommands(app, context);
    AddSdCommands(app, context);
    AddTelemetryCommands(app, context);
    AddVoiceCommands(app, context);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int code = app.exit(error);
        return code == 0 ? kExitOk : kExitUsage;
    }
    return context.exitCode;
}
