#include "cli/cli_context.h"
#include "cli/model_commands.h"
#include "link/download_function.h"
#include "base/format.h"
#include "link/rs232.h"
#include "model/model_file_conversion.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <memory>
#include <optional>

namespace skarnel::cli {
namespace {

struct ConvertOptions {
    std::vector<std::string> files;
    std::string folder;
    std::string product;    // --to
    int memoryVersion = 0;  // --mem
    bool report = false;
};

// The product and memory version of the connected controller, read as the conversion does.
std::optional<ConversionTarget> ReadControllerTarget(CliContext& context)
{
    const std::unique_ptr<CRS232> port = context.MakeConnection();
    if (!context.OpenJobPort(*port)) {
        context.reporter().ShowMessage("Product info read fail", kApplicationTitle, MessageIcon::None);
        return std::nullopt;
    }
    CDownload_Function link(*port, context.reporter());
    ProductInfo product;
    const bool read = link.ReadProductInfo(product);
    port->ClosePort();
    if (!read) {
        context.reporter().ShowMessage("Product info read fail", kApplicationTitle, MessageIcon::None);
        return std::nullopt;
    }
    return ConversionTarget{static_cast<uint32_t>(product.AppPCode), static_cast<uint32_t>(product.MemVer)};
}

// Reads the files' headers as "File Select" does; a file that cannot be opened ends the choice.
bool ChooseSources(CliContext& context, const ConvertOptions& options, std::vector<ModelFileSource>& sources)
{
    for (const std::string& file : options.files) {
        ModelFileSource source;
        const SourceCheck check = ReadModelFileSource(file, context.reporter(), source);
        if (check == SourceCheck::OpenFailed) {
            context.reporter().ReportLogLine(Format("File Open Fail : %s", file.c_str()));
            return false;
        }
        if (check == SourceCheck::Accepted)
            sources.push_back(source);
    }
    return sources.size() == options.files.size();
}

void PrintOutcome(TerminalReporter& out, const ModelFileOutcome& outcome, bool report)
{
    using Result = ModelFileOutcome::Result;
    if (outcome.result == Result::Converted)
        out.ReportLogLine(outcome.targetPath.string());
    if (!report)
        return;
    if (outcome.result == Result::DoesNotFitKt20)
        out.ReportLogLine(Format("%s: not converted, its wing, tail and flap set-up does not fit the KT20",
                                 outcome.source->name.c_str()));
    if (!outcome.report.failure.empty())
        out.ReportLogLine(Format("%s: %s", outcome.source->name.c_str(), outcome.report.failure.c_str()));
    if (outcome.result != Result::Converted)
        return;
    const std::vector<std::string> changes = DescribeConversionChanges(outcome.report);
    if (changes.empty())
        out.ReportLogLine("   every value kept");
    for (const std::string& change : changes)
        out.ReportLogLine("   " + change);
}

void RunConvert(CliContext& context, const ConvertOptions& options)
{
    std::vector<ModelFileSource> sources;
    bool complete = ChooseSources(context, options, sources);
    std::optional<ConversionTarget> target;
    if (!options.product.empty())
        target = ConversionTarget{*ProductCodeOfName(options.product), static_cast<uint32_t>(options.memoryVersion)};
    else
        target = ReadControllerTarget(context);
    if (!target || !CheckConversionTarget(*target, context.reporter())) {
        context.Finish("Model Data Conversion Fail", false);
        return;
    }
    std::error_code ignored;
    std::filesystem::create_directories(options.folder, ignored);
    int converted = 0;
    const bool finished =
        ConvertModelFiles(sources, *target, options.folder, context.reporter(), [&](const ModelFileOutcome& outcome) {
            PrintOutcome(context.reporter(), outcome, options.report);
            using Result = ModelFileOutcome::Result;
            converted += outcome.result == Result::Converted;
            complete = complete && (outcome.result == Result::Converted || outcome.result == Result::SameVersion ||
                                    outcome.result == Result::DoesNotFitKt20);
        });
    const bool succeeded = finished && complete;
    context.Finish(Format("%d of %d model files converted", converted, static_cast<int>(options.files.size())),
                   succeeded);
}

}  // namespace

void AddModelConvertCommand(CLI::App& model, CliContext& context)
{
    auto options = std::make_shared<ConvertOptions>();
    CLI::App* convert = model.add_subcommand(
        "convert", "Convert .mdl files to the connected controller's layout, or to --to and --mem off-line");
    convert->add_option("FILE", options->files, "Model data files (.mdl)")->required();
    convert->add_option("-o,--output", options->folder, "Folder for the converted files")->required();
    CLI::Option* to = convert->add_option("--to", options->product, "Convert off-line for this product")
                          ->check(CLI::IsMember({"KT40", "KT20"}));
    CLI::Option* mem = convert->add_option("--mem", options->memoryVersion, "Memory version of the off-line target")
                           ->check(CLI::IsMember({1000, 1001}));
    to->needs(mem);
    mem->needs(to);
    convert->add_flag("--report", options->report, "Print each value the conversion replaced, and why");
    convert->callback([&context, options] { RunConvert(context, *options); });
}

}  // namespace skarnel::cli
