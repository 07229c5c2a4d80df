#include "cli/firmware_commands.h"

#include "cli/cli_context.h"
#include "cli/firmware_check.h"
#include "cli/firmware_upgrade_command.h"
#include "tools/firmware_merge.h"
#include "tools/gang_merge.h"

#include <CLI/CLI.hpp>
#include <memory>

namespace skarnel::cli {
namespace {

struct GangOptions {
    std::string model = kGangModels[0].name;
    GangRequest request;
};

struct YModemOptions {
    std::string source;
    std::string target;
};

void AddCheck(CLI::App& firmware, CliContext& context)
{
    auto options = std::make_shared<FirmwareCheckOptions>();
    CLI::App* check = firmware.add_subcommand("check", "Check an upgrade file and show its images");
    check->add_option("FILE", options->path, "The upgrade file")->required();
    CLI::Option* addresses = check->add_option(
        "--addresses", options->addresses,
        "Version addresses AppPCodeAddr,AppVerAddr,BootPCodeAddr,BootVerAddr,MemVerAddr (decimal or 0x hex)");
    check->add_flag("--from-controller", options->fromController, "Read the version addresses from the controller")
        ->excludes(addresses);
    check->callback([&context, options] { RunFirmwareCheck(context, *options); });
}

void AddMerge(CLI::App& firmware, CliContext& context)
{
    auto request = std::make_shared<MergeRequest>();
    CLI::App* merge = firmware.add_subcommand("merge", "Build an upgrade file from plain images");
    merge->add_option("--app", request->appPath, "The application image");
    CLI::Option* boot = merge->add_option("--boot", request->bootPath, "The boot loader image, to be installed too");
    CLI::Option* st = merge->add_option("--st", request->stBootPath, "The ST boot loader image");
    merge->add_option("-o,--output", request->targetPath, "The upgrade file (\".bin\" is added unless it ends so)");
    merge->callback([&context, request, boot, st] {
        request->bootUse = boot->count() > 0;
        request->stBootUse = st->count() > 0;
        context.Finish(MergeFirmwareFile(*request));
    });
}

void AddYModem(CLI::App& firmware, CliContext& context)
{
    auto options = std::make_shared<YModemOptions>();
    CLI::App* ymodem =
        firmware.add_subcommand("ymodem", "Scramble a plain image for Y-Modem, or descramble a scrambled one");
    ymodem->add_option("IN", options->source, "The file to convert")->required();
    ymodem->add_option("OUT", options->target, "The converted file")->required();
    ymodem->callback([&context, options] { context.Finish(ConvertYModemFile(options->source, options->target)); });
}

void AddGang(CLI::App& firmware, CliContext& context)
{
    auto options = std::make_shared<GangOptions>();
    CLI::App* gang = firmware.add_subcommand("gang", "Build a plain flash image for a production programmer");
    gang->add_option("--model", options->model, "The controller model")
        ->check(CLI::IsMember({kGangModels[0].name, kGangModels[1].name}));
    gang->add_option("--st", options->request.stBootPath, "The ST boot loader image");
    gang->add_option("--qv", options->request.qvBootPath, "The QV boot loader image");
    gang->add_option("--app", options->request.appPath, "The application image");
    gang->add_option("-o,--output", options->request.targetPath, "The gang file");
    gang->callback([&context, options] {
        options->request.model = FindGangModel(options->model).value_or(0);
        context.Finish(MergeGangFile(options->request));
    });
}

void AddUpgrade(CLI::App& firmware, CliContext& context)
{
    auto path = std::make_shared<std::string>();
    CLI::App* upgrade = firmware.add_subcommand(
        "upgrade", "Install an upgrade file; the models are saved first and converted back when their layout changes");
    upgrade->add_option("FILE", *path, "The upgrade file")->required();
    upgrade->callback([&context, path] { RunFirmwareUpgrade(context, *path); });
}

}  // namespace

void AddFirmwareCommands(CLI::App& app, CliContext& context)
{
    CLI::App* firmware =
        app.add_subcommand("firmware", "Upgrade files: check, merge, Y-Modem convert, gang image, upgrade");
    firmware->require_subcommand(1);
    AddCheck(*firmware, context);
    AddMerge(*firmware, context);
    AddYModem(*firmware, context);
    AddGang(*firmware, context);
    AddUpgrade(*firmware, context);
}

}  // namespace skarnel::cli
