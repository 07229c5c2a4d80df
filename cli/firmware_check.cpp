#include "cli/firmware_check.h"

#include "cli/cli_context.h"
#include "firmware/binary_file.h"
#include "firmware/firmware_file.h"
#include "firmware/image_info.h"
#include "firmware/scrambler.h"
#include "link/download_function.h"
#include "base/format.h"
#include "link/product_info.h"
#include "link/rs232.h"

#include <optional>
#include <sstream>

namespace skarnel::cli {
namespace {

// Keeps the text of the box a check shows, so that it can be printed as the final text.
class MessageCapture final : public Reporter {
public:
    void ReportProgress(int, const std::string&) override {}
    void ReportLogLine(const std::string&) override {}
    void ReportProgressRange(int, int) override {}
    void ReportFailedExchange(uint32_t, int) override {}
    void ShowMessage(const std::string& text, const std::string&, MessageIcon) override { message = text; }
    bool AskYesNo(const std::string&, const std::string&, MessageIcon) override { return false; }

    std::string message;
};

std::optional<VersionAddressInfo> ParseAddresses(const std::string& text)
{
    std::stringstream parts(text);
    std::string part;
    std::vector<uint32_t> values;
    while (std::getline(parts, part, ',')) {
        try {
            size_t used = 0;
            const unsigned long value = std::stoul(part, &used, 0);
            if (used != part.size() || value > 0xFFFFFF)
                return std::nullopt;
            values.push_back(static_cast<uint32_t>(value));
        } catch (const std::exception&) {
            return std::nullopt;
        }
    }
    if (values.size() != 5)
        return std::nullopt;
    VersionAddressInfo info;
    info.AppPCodeAddr = values[0];
    info.AppVerAddr = values[1];
    info.BootPCodeAddr = values[2];
    info.BootVerAddr = values[3];
    info.MemVerAddr = values[4];
    return info;
}

std::optional<VersionAddressInfo> ReadAddressesFromController(CliContext& context)
{
    const std::unique_ptr<CRS232> port = context.MakeConnection();
    if (!context.OpenJobPort(*port))
        return std::nullopt;
    CDownload_Function link(*port, context.reporter());
    VersionAddressInfo info;
    const bool read = link.ReadVersionAddressInfo(info);
    port->ClosePort();
    if (!read) {
        context.Finish("Version Address Information Read Fail", false);
        return std::nullopt;
    }
    context.reporter().PrintLine("Address Information Read From Controller");
    context.reporter().PrintLine(VersionAddressLogLine(info));
    return info;
}

void PrintHeader(TerminalReporter& out, const FirmwareFileHeader& header)
{
    out.PrintLine(Format("FileMagic : 0x%08X, 0x%08X", header.FileMagicAt0, header.FileMagicAt24));
    out.PrintLine(Format("BootIncluded : %u", header.BootIncluded));
    for (ImageKind kind : {ImageKind::Application, ImageKind::BootLoader, ImageKind::StBootLoader}) {
        const ImageLocation location = header.Locate(kind);
        out.PrintLine(Format("%s : offset %u, size %u", ProfileOf(kind).name, location.offset, location.size));
    }
    std::string order;
    for (ImageKind kind : ImagesToInstall(header))
        order += (order.empty() ? "" : ", ") + std::string(ProfileOf(kind).name);
    out.PrintLine("Images to install : " + order);
}

// Reads each image the upgrade would install and, with addresses, the fields it would check.
bool CheckImages(CliContext& context, const InputFile& file, const FirmwareFileHeader& header,
                 const std::optional<VersionAddressInfo>& addresses)
{
    for (ImageKind kind : ImagesToInstall(header)) {
        std::vector<uint8_t> image;
        if (!ReadFirmwareImage(file, header, kind, image)) {
            context.Finish("File Header Read Fail ", false);
            return false;
        }
        if (!addresses || !ProfileOf(kind).checkedBeforeSending)
            continue;
        ScrambleImage(image.data(), image.size());
        ImageInfo info;
        if (!ReadImageInfo(image.data(), image.size(), *addresses, kind, info)) {
            context.Finish("File Information Read Fail", false);
            return false;
        }
        context.reporter().PrintLine(Format("%s Image", ProfileOf(kind).name));
        context.reporter().PrintLine(ImageInfoLogLine(info));
    }
    return true;
}

}  // namespace

void RunFirmwareCheck(CliContext& context, const FirmwareCheckOptions& options)
{
    std::optional<VersionAddressInfo> addresses;
    if (!options.addresses.empty()) {
        addresses = ParseAddresses(options.addresses);
        if (!addresses) {
            context.reporter().PrintLine("--addresses takes five numbers: AppPCodeAddr,AppVerAddr,BootPCodeAddr,"
                                         "BootVerAddr,MemVerAddr");
            context.exitCode = kExitUsage;
            return;
        }
    }
    MessageCapture box;
    uint32_t bootIncluded = 0;
    InputFile file;
    FirmwareFileHeader header;
    if (!CheckFirmwareFile(options.path, box, bootIncluded) || !file.Open(options.path) ||
        !ReadFirmwareFileHeader(file, header)) {
        context.Finish(box.message, false);
        return;
    }
    PrintHeader(context.reporter(), header);
    if (options.fromController && !(addresses = ReadAddressesFromController(context)))
        return;
    if (CheckImages(context, file, header, addresses))
        context.Finish({}, true);
}

}  // namespace skarnel::cli
