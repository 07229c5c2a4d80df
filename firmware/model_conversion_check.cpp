#include "firmware/model_conversion_check.h"

#include "firmware/binary_file.h"
#include "firmware/firmware_file.h"
#include "firmware/image_info.h"
#include "firmware/scrambler.h"
#include "link/download_function.h"
#include "base/reporter.h"
#include "model/model_conversion.h"

#include <vector>

namespace skarnel {
namespace {

constexpr const char* kNoConversionText = "Model data conversion info does not exist";
constexpr const char* kNoConversionQuestion =
    "Model data conversion info does not exist.... \r\n \r\nAll model data will be deleted!! \r\n \r\nDo you want to "
    "download?";

bool Fail(CDownload_Function& link, const char* text)
{
    link.Window().ReportLogLine(text);
    return false;
}

// The application image's own product code and memory version.
bool ReadApplicationInfo(CDownload_Function& link, const std::string& firmwarePath, const VersionAddressInfo& addresses,
                         ImageInfo& info)
{
    InputFile file;
    if (!file.Open(firmwarePath))
        return Fail(link, "Firmware File Open Fail");
    FirmwareFileHeader header;
    if (!ReadFirmwareFileHeader(file, header) || !header.MagicsValid())
        return Fail(link, "File Header Read Fail");
    std::vector<uint8_t> image;
    if (!ReadFirmwareImage(file, header, ImageKind::Application, image))
        return Fail(link, "File Data Read Fail");
    ScrambleImage(image.data(), image.size());
    if (!ReadImageInfo(image.data(), image.size(), addresses, ImageKind::Application, info))
        return Fail(link, "File Information Read Fail");
    return true;
}

}  // namespace

bool CheckModelConversion(CDownload_Function& link, const std::string& firmwarePath, bool& backupRequested)
{
    backupRequested = false;
    GroupScope group(link, kGroupApplication);
    ProductInfo product;
    if (!link.ReadProductInfo(product))
        return Fail(link, "Product Information Read Fail");
    VersionAddressInfo addresses;
    if (!link.ReadVersionAddressInfo(addresses))
        return Fail(link, "Version Address Information Read Fail");
    ImageInfo image;
    if (!ReadApplicationInfo(link, firmwarePath, addresses, image))
        return false;
    const auto controllerCode = static_cast<uint32_t>(product.AppPCode);
    const auto controllerMemory = static_cast<uint32_t>(product.MemVer);
    if (image.productCode != controllerCode)
        return Fail(link, "Product Code Mismatch");
    if (controllerMemory >= image.memoryVersion)
        return true;
    if (CModel_Conversion_Function().HasConversionPair(controllerCode, controllerMemory, image.productCode,
                                                       image.memoryVersion)) {
        backupRequested = true;
        return true;
    }
    link.Window().ReportLogLine(kNoConversionText);
    return link.Window().AskYesNo(kNoConversionQuestion, "Warning", MessageIcon::Warning);
}

}  // namespace skarnel
