#include "cli/link_commands.h"

#include "cli/cli_context.h"
#include "link/download_function.h"
#include "link/format.h"
#include "link/port_discovery.h"
#include "link/rs232.h"

#include <CLI/CLI.hpp>

namespace skarnel::cli {
namespace {

void RunPorts(CliContext& context)
{
    for (const PortEntry& port : ListSerialPorts())
        context.reporter().PrintLine(Format("%-6s %-60s %s", port.portName.c_str(), port.deviceName.c_str(),
                                            port.devicePath.c_str()));
    context.exitCode = kExitOk;
}

void RunInfo(CliContext& context)
{
    CRS232 port;
    if (!context.OpenJobPort(port))
        return;
    CDownload_Function link;
    context.Bind(link, port);
    TerminalReporter& out = context.reporter();
    ProductInfo product;
    VersionAddressInfo addresses;
    const bool productRead = link.ReadProductInfo(product);
    if (productRead) {
        out.PrintLine(ProductCodesLogLine(product));
        out.PrintLine(ProductNameLogLine(product));
    }
    const bool addressesRead = productRead && link.ReadVersionAddressInfo(addresses);
    if (addressesRead)
        out.PrintLine(VersionAddressLogLine(addresses));
    port.ClosePort();
    if (!productRead)
        context.Finish("Product Information Read Fail", false);
    else if (!addressesRead)
        context.Finish("Version Address Information Read Fail", false);
    else
        context.Finish({}, true);
}

}  // namespace

void AddLinkCommands(CLI::App& app, CliContext& context)
{
    app.add_subcommand("ports", "List the serial ports and their devices")->callback([&context] {
        RunPorts(context);
    });
    app.add_subcommand("info", "Read the controller's product information and version addresses")
        ->callback([&context] { RunInfo(context); });
}

}  // namespace skarnel::cli
