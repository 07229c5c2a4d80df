#include "cli/link_commands.h"

#include "cli/cli_context.h"
#include "link/download_function.h"
#include "base/format.h"
#include "link/port_discovery.h"

#include <CLI/CLI.hpp>

namespace skarnel::cli {
namespace {

void RunPorts(CliContext& context)
{
    for (const PortEntry& port : ListSerialPorts())
        context.reporter().PrintLine(
            Format("%-6s %-60s %s", port.portName.c_str(), port.deviceName.c_str(), port.devicePath.c_str()));
    context.exitCode = kExitOk;
}

bool ReadInformation(TerminalReporter& out, CDownload_Function& link)
{
    ProductInfo product;
    if (!link.ReadProductInfo(product)) {
        out.PrintLine("Product Information Read Fail");
        return false;
    }
    out.PrintLine(ProductCodesLogLine(product));
    out.PrintLine(ProductNameLogLine(product));
    VersionAddressInfo addresses;
    if (!link.ReadVersionAddressInfo(addresses)) {
        out.PrintLine("Version Address Information Read Fail");
        return false;
    }
    out.PrintLine(VersionAddressLogLine(addresses));
    return true;
}

void RunInfo(CliContext& context)
{
    const bool read =
        context.RunOnPort([&context](CDownload_Function& link) { return ReadInformation(context.reporter(), link); });
    context.exitCode = read ? kExitOk : kExitFailed;
}

}  // namespace

void AddLinkCommands(CLI::App& app, CliContext& context)
{
    app.add_subcommand("ports", "List the serial ports and their devices")->callback([&context] { RunPorts(context); });
    app.add_subcommand("info", "Read the controller's product information and version addresses")->callback([&context] {
        RunInfo(context);
    });
}

}  // namespace skarnel::cli
