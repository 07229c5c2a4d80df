#include "cli/clock_commands.h"

#include "cli/cli_context.h"
#include "clock/clock_record.h"
#include "clock/clock_text.h"
#include "link/download_function.h"

#include <CLI/CLI.hpp>
#include <ctime>

namespace skarnel::cli {
namespace {

struct ClockWriteOptions {
    bool now = false;
    std::string set;
    int weekday = -1;
    bool summer = false;
};

// Reads the controller's clock on an open port, printing the time text or "Read Fail".
bool ReadAndPrint(CliContext& context, CDownload_Function& link)
{
    ClockRecord record;
    if (!link.ReadClock(record)) {
        context.reporter().PrintLine("Read Fail");
        return false;
    }
    context.reporter().PrintLine(ClockTimeText(record));
    return true;
}

void RunRead(CliContext& context)
{
    const bool read = context.RunOnPort([&context](CDownload_Function& link) { return ReadAndPrint(context, link); });
    context.exitCode = read ? kExitOk : kExitFailed;
}

ClockRecord CurrentLocalTime(bool summer)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return ClockRecord::FromLocalTime(local, summer);
}

void RunWrite(CliContext& context, const ClockWriteOptions& options)
{
    std::optional<ClockRecord> record = CurrentLocalTime(options.summer);
    if (!options.now)
        record = ParseClockText(options.set, options.weekday, options.summer);
    if (!record) {
        context.reporter().PrintLine("The time must read \"YYYY-MM-DD HH:MM:SS\"");
        context.exitCode = kExitUsage;
        return;
    }
    const bool done = context.RunOnPort([&context, &record](CDownload_Function& link) {
        const bool written = link.WriteClock(*record);
        if (!written)
            context.reporter().PrintLine("RTC Time Write Fail");
        return ReadAndPrint(context, link) && written;
    });
    context.exitCode = done ? kExitOk : kExitFailed;
}

}  // namespace

void AddClockCommands(CLI::App& app, CliContext& context)
{
    CLI::App* clock = app.add_subcommand("clock", "Read or set the controller's clock");
    clock->require_subcommand(1);
    clock->add_subcommand("read", "Read the controller's clock")->callback([&context] { RunRead(context); });

    auto options = std::make_shared<ClockWriteOptions>();
    CLI::App* write = clock->add_subcommand("write", "Set the controller's clock, then read it back");
    CLI::Option* now = write->add_flag("--now", options->now, "Write the PC's current local time");
    CLI::Option* set = write->add_option("--set", options->set, "Write this time: \"YYYY-MM-DD HH:MM:SS\"");
    write->add_option("--weekday", options->weekday, "Weekday to send with --set, 0 = Sunday .. 6 = Saturday")
        ->check(CLI::Range(0, 6))
        ->needs(set);
    write->add_flag("--summer", options->summer, "Set the summer-time flag");
    now->excludes(set);
    write->require_option(1, 0);
    write->callback([&context, options] {
        if (!options->now && options->set.empty()) {
            context.reporter().PrintLine("clock write needs --now or --set");
            context.exitCode = kExitUsage;
            return;
        }
        RunWrite(context, *options);
    });
}

}  // namespace skarnel::cli
