#include "cli/doctor_command.h"

#include "cli/cli_context.h"
#include "link/port_doctor.h"

#include <CLI/CLI.hpp>
#include <memory>

namespace skarnel::cli {
namespace {

void RunDoctor(CliContext& context, const std::string& systemRoot)
{
    const SystemProbe system(systemRoot.empty() ? "/" : systemRoot);
    const SerialPortId port = context.ChosenPort(system.Root() / "sys");
    context.reporter().PrintLine("Port: " + port.DisplayName() + " (" + port.DevicePath() + ")");
    const std::vector<DoctorFinding> findings = ExamineSystem(system, CurrentIdentity(), port);
    for (const DoctorFinding& finding : findings) {
        context.reporter().PrintLine((finding.ok ? "ok       " : "PROBLEM  ") + finding.text);
        if (!finding.ok)
            context.reporter().PrintLine("  fix:   " + finding.fix);
    }
    const bool healthy = AllOk(findings);
    context.reporter().PrintLine(healthy ? "Nothing stands in the way."
                                         : "Fix the problems above and run the doctor again.");
    context.exitCode = healthy ? kExitOk : kExitFailed;
}

}  // namespace

void AddDoctorCommand(CLI::App& app, CliContext& context)
{
    auto systemRoot = std::make_shared<std::string>();
    CLI::App* doctor = app.add_subcommand(
        "doctor", "Check what stops this user from reaching the controller (cable, port, rights, other programs)");
    doctor->add_option("--system-root", *systemRoot, "Read /sys, /proc, /dev and /etc below this folder (for tests)");
    doctor->callback([&context, systemRoot] { RunDoctor(context, *systemRoot); });
}

}  // namespace skarnel::cli
