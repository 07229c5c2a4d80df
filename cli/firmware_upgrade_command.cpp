#include "cli/firmware_upgrade_command.h"

#include "cli/cli_context.h"
#include "firmware/firmware_file.h"
#include "firmware/firmware_upgrade.h"
#include "link/download_function.h"
#include "link/rs232.h"
#include "base/app_folder.h"

#include <cstdio>

namespace skarnel::cli {

void RunFirmwareUpgrade(CliContext& context, const std::string& path)
{
    TerminalReporter& out = context.reporter();
    FirmwareUpgradeRequest request;
    request.firmwarePath = path;
    if (!CheckFirmwareFile(path, out, request.bootIncluded)) {
        context.exitCode = kExitFailed;
        return;
    }
    std::string error;
    if (const auto folder = EnsureApplicationFolder(error))
        request.backupPath = SystemBackupPath(*folder);
    else
        std::fprintf(stderr, "%s\n", error.c_str());
    // An upgrade has no safe point to stop at: Ctrl-C is not heeded, a second one ends the process.
    context.RunJob(
        [&](CDownload_Function& link, const StopRequest&) {
            out.ReportLogLine(kFirmwareJobStart);
            return FirmwareUpgradeJob(link, request);
        },
        kFirmwareJobStop);
}

}  // namespace skarnel::cli
