#include "cli/model_commands.h"

#include "cli/cli_context.h"
#include "link/download_function.h"
#include "base/format.h"
#include "base/printable_text.h"
#include "link/rs232.h"
#include "model/model_data_lists.h"
#include "model/model_file_conversion.h"
#include "model/model_files.h"
#include "model/model_jobs.h"
#include "model/model_procedures.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <functional>
#include <memory>

namespace skarnel::cli {
namespace {

// The Menu Data view's PC and Controller lists on the terminal: a job's rows as log lines,
// the model list's rows as its numbered result.
class TerminalModelLists final : public ModelDataLists {
public:
    TerminalModelLists(TerminalReporter& out, bool numbered) : out_(out), numbered_(numbered) {}

    void AddPcFile(const std::string& path) override { out_.ReportLogLine(path); }
    // The row holds the model's name as the controller keeps it.
    void AddControllerModel(const std::string& text) override
    {
        const std::string row = PrintableName(text);
        if (numbered_)
            out_.PrintLine(Format("%d  %s", ++rows_, row.c_str()));
        else
            out_.ReportLogLine(row);
    }

private:
    TerminalReporter& out_;
    bool numbered_;
    int rows_ = 0;
};

// A model data job, with the stop line every one ends with.
void RunModelJob(CliContext& context, const std::function<JobOutcome(CDownload_Function&)>& job)
{
    context.RunJob([&job](CDownload_Function& link, const StopRequest&) { return job(link); }, kModelJobStop);
}

void RunList(CliContext& context)
{
    const std::unique_ptr<CRS232> port = context.MakeConnection();
    if (!context.OpenJobPort(*port))
        return;
    CDownload_Function link(*port, context.reporter());
    TerminalModelLists lists(context.reporter(), true);
    const bool listed = ListControllerModels(link, lists);
    port->ClosePort();
    context.Finish(listed ? "" : "Model List Read Fail", listed);
}

// The check a restore's file gets when it is chosen; false after the job's failure text.
bool MenuFileAccepted(CliContext& context, const std::string& path, const char* failText)
{
    const MenuFileCheck check = CheckMenuFile(path, context.reporter());
    if (check == MenuFileCheck::Accepted)
        return true;
    if (check == MenuFileCheck::TooShort)
        context.reporter().ReportLogLine("File Header Read Fail");
    context.Finish(failText, false);
    return false;
}

void AddJobCommands(CLI::App& model, CliContext& context)
{
    auto path = std::make_shared<std::string>();
    CLI::App* backup = model.add_subcommand("backup", "Back up every used model into a .mdl file in DIR");
    backup->add_option("DIR", *path, "Folder for the model files")->required();
    backup->callback([&context, path] {
        std::error_code ignored;
        std::filesystem::create_directories(*path, ignored);
        TerminalModelLists lists(context.reporter(), false);
        RunModelJob(context, [&](CDownload_Function& link) { return ModelBackupJob(link, *path, lists); });
    });

    CLI::App* save = model.add_subcommand("save", "Save the common set and every used model into a .mif file");
    save->add_option("FILE", *path, "The system backup file (.mif)")->required();
    save->callback([&context, path] {
        RunModelJob(context, [&](CDownload_Function& link) { return SystemBackupJob(link, *path); });
    });

    CLI::App* restore = model.add_subcommand("restore", "Write a .mif file back section by section");
    restore->add_option("FILE", *path, "A menu information file (.mif)")->required()->check(CLI::ExistingFile);
    restore->callback([&context, path] {
        if (MenuFileAccepted(context, *path, kMenuRestoreFail))
            RunModelJob(context, [&](CDownload_Function& link) { return MenuRestoreJob(link, *path); });
    });

    CLI::App* converted = model.add_subcommand(
        "restore-converted", "Write a .mif file back converted to the controller's product and memory version");
    converted->add_option("FILE", *path, "A menu information file (.mif)")->required()->check(CLI::ExistingFile);
    converted->callback([&context, path] {
        if (MenuFileAccepted(context, *path, kConvertedRestoreFail))
            RunModelJob(context, [&](CDownload_Function& link) { return ConvertedRestoreJob(link, *path); });
    });
}

}  // namespace

void AddModelCommands(CLI::App& app, CliContext& context)
{
    CLI::App* model = app.add_subcommand("model", "Back up, restore and convert the controller's model memories");
    model->require_subcommand(1);
    model->add_subcommand("list", "List the controller's model memories")->callback([&context] { RunList(context); });
    AddJobCommands(*model, context);
    AddModelConvertCommand(*model, context);
}

}  // namespace skarnel::cli
