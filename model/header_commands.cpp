#include "link/download_function.h"
#include "base/reporter.h"
#include "model/data_schema.h"
#include "model/model_files.h"

#include <algorithm>
#include <vector>

namespace skarnel {
namespace {

// The buffer the model list is read into.
constexpr uint32_t kModelListBufferSize = 8192;
constexpr size_t kProductNameOffset = 16;

}  // namespace

bool CDownload_Function::BuildFileHeader(MenuFileHeader& header)
{
    ProductInfo product;
    if (!ReadProductInfo(product)) {
        Window().ReportLogLine("Product Info Read Fail");
        return false;
    }
    header.fileMagic = FileMagic;
    header.appPCode = static_cast<uint32_t>(product.AppPCode);
    header.appVer = static_cast<uint32_t>(product.AppVer);
    header.memVer = static_cast<uint32_t>(product.MemVer);
    std::copy_n(product.raw.begin() + kProductNameOffset, MenuFileHeader::kProductNameSize, header.productName.begin());
    if (!ReadDataSchema(header.schema)) {
        Window().ReportLogLine("Data Schema Read Fail");
        return false;
    }
    header.ListUsedModels();
    return true;
}

bool CDownload_Function::ReadModelList(uint32_t address, uint32_t size, int modelCount, ModelList& list)
{
    if (size > kModelListBufferSize || modelCount < 0 || static_cast<size_t>(modelCount) > DataSchema::kMaxModels)
        return false;
    std::vector<uint8_t> buffer(kModelListBufferSize, 0);
    if (!ReadFlashData(address, size, buffer.data()))
        return false;
    list = ModelList::Decode(buffer, static_cast<size_t>(modelCount));
    return true;
}

}  // namespace skarnel
