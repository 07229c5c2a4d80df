#include "base/byte_order.h"
#include "link/download_function.h"
#include "base/format.h"
#include "link/frame.h"
#include "base/reporter.h"
#include "model/model_conversion.h"
#include "model/model_files.h"
#include "model/model_procedures.h"

#include <fstream>
#include <functional>
#include <vector>

namespace skarnel {
namespace {

constexpr int kWholeAttempts = 3;
// Memory version 1000 files carry an older value in common-set section 2; version 1001
// firmware expects this one, guarded by its CRC.
constexpr uint32_t kFixedUpMemoryVersion = 1000;
constexpr uint8_t kCommonSection2Value = 5;

bool Fail(CDownload_Function& link, const std::string& text)
{
    link.Window().ReportLogLine(text);
    return false;
}

// What both restores have read before they write.
struct RestoreSource {
    std::ifstream file;
    MenuFileHeader header;
    ProductInfo product;
    DataSchema controller;
    std::vector<uint8_t> block;
};

bool ReadExactly(std::ifstream& file, uint8_t* bytes, size_t count)
{
    return static_cast<bool>(file.read(reinterpret_cast<char*>(bytes), static_cast<std::streamsize>(count)));
}

// Refused before anything is written: a listed model the controller does not have would be
// written past its model memory.
bool CheckModelNumbers(CDownload_Function& link, const RestoreSource& source)
{
    const MenuFileHeader& header = source.header;
    for (size_t k = 0; k < header.usedModelCount; ++k)
        if (header.usedModelIndex[k] >= source.controller.modelCount)
            return Fail(link, Format("Model Info Index Out Of Range. Model Index:#%d", header.usedModelIndex[k]));
    return true;
}

bool OpenRestore(CDownload_Function& link, const std::filesystem::path& path, RestoreSource& source)
{
    if (!link.ShowModelDataBanner(false))
        return Fail(link, "LCD Display Data Send Fail");
    source.file.open(path, std::ios::binary);
    if (!source.file)
        return Fail(link, "Backup File Open Fail");
    link.Window().ReportLogLine("File Header Read Start");
    std::array<uint8_t, MenuFileHeader::kSize> headerBytes{};
    if (!ReadExactly(source.file, headerBytes.data(), headerBytes.size()))
        return Fail(link, "File Header Read Fail");
    source.header = MenuFileHeader::Decode(headerBytes);
    if (const std::string error = source.header.ContentError(); !error.empty())
        return Fail(link, error);
    link.Window().ReportLogLine("Product Info Read Start");
    if (!link.ReadProductInfo(source.product))
        return Fail(link, "Product Info Read Fail");
    link.Window().ReportLogLine("Product Code Check");
    if (source.header.appPCode != static_cast<uint32_t>(source.product.AppPCode))
        return Fail(link, Format("Product Code Mismatch. Charger: %d   File: %d", source.product.AppPCode,
                                 static_cast<int>(source.header.appPCode)));
    link.Window().ReportLogLine("Product Code Check.Ok");
    source.controller = DataSchema{};
    if (!link.ReadDataSchema(source.controller))
        return Fail(link, "Data Schema Read Fail");
    if (!CheckModelNumbers(link, source))
        return false;
    link.Window().ReportLogLine("Common Set Data Write Start");
    source.block.assign(kModelRecordSize, 0);
    if (!ReadExactly(source.file, source.block.data(), kCommonSetBlockSize))
        return Fail(link, "Common Set Data Read Fail");
    return true;
}

// Up to three whole attempts, a retry line after each failure.
bool Attempt(CDownload_Function& link, const char* retryText, const std::function<bool()>& write)
{
    for (int attempt = 0; attempt < kWholeAttempts; ++attempt) {
        if (write())
            return true;
        link.Window().ReportLogLine(retryText);
    }
    return false;
}

bool WriteCommonBlock(CDownload_Function& link, const std::function<bool()>& write)
{
    if (!Attempt(link, "Common Set Write Retry", write))
        return Fail(link, "Common Set Write Fail");
    link.Window().ReportLogLine("Common Set Write Success");
    return true;
}

// Reads the next record of the file and checks that it is listed model n's.
bool ReadListedRecord(CDownload_Function& link, RestoreSource& source, int n, std::vector<uint8_t>& record)
{
    record.assign(kModelRecordSize, 0);
    if (!ReadExactly(source.file, record.data(), kModelRecordSize))
        return Fail(link, Format("Model Info Read Fail. Model Index:#%d", n));
    if (record[kModelRecordNumberOffset] != n)
        return Fail(link, Format("Model Info Index Number Mismatch. Model Index:#%d", n));
    link.Window().ReportLogLine(Format("Model Info Write Start. Model Index:#%d", n + 1));
    return true;
}

// Walks the listed models: read and check each record, then write it with writeModel.
bool RestoreModels(CDownload_Function& link, RestoreSource& source,
                   const std::function<bool(int n, const std::vector<uint8_t>& record)>& writeModel)
{
    std::vector<uint8_t> record;
    for (size_t k = 0; k < source.header.usedModelCount; ++k) {
        const int n = source.header.usedModelIndex[k];
        if (!ReadListedRecord(link, source, n, record) || !writeModel(n, record))
            return false;
    }
    return true;
}

bool FinishRestore(CDownload_Function& link, RestoreSource& source)
{
    source.file.close();
    link.RequestRestart();
    return true;
}

bool FixUpCommonSet(CDownload_Function& link, const DataSchema& file, std::vector<uint8_t>& block)
{
    const int offset = file.commonSectionAddr[2] - file.commonSectionAddr[0];
    if (file.commonSectionCount <= 2 || offset < 0 || offset + 3 > static_cast<int>(kCommonSetBlockSize))
        return Fail(link, "Common Set Section Range Error. Seq:#2");
    uint8_t* section = block.data() + offset;
    section[0] = kCommonSection2Value;
    WriteLe16(section + 1, ComputeCrc16(section, 1));
    return true;
}

}  // namespace

bool RestoreSystemData(CDownload_Function& link, const std::filesystem::path& path)
{
    GroupScope group(link, kGroupApplication);
    RestoreSource source;
    if (!OpenRestore(link, path, source))
        return false;
    const MenuFileHeader& header = source.header;
    const DataSchema& file = header.schema;
    if (header.memVer == kFixedUpMemoryVersion && !FixUpCommonSet(link, file, source.block))
        return false;
    const uint32_t commonAddress = source.controller.commonSectionAddr[0];
    if (!WriteCommonBlock(link,
                          [&] { return link.WriteFlashData(commonAddress, kCommonSetBlockSize, source.block.data()); }))
        return false;
    const auto targetCode = static_cast<uint32_t>(source.product.AppPCode);
    const auto targetVersion = static_cast<uint32_t>(source.product.MemVer);
    const CModel_Conversion_Function conversion;
    std::vector<uint8_t> converted(kModelRecordSize);
    const bool restored = RestoreModels(link, source, [&](int n, const std::vector<uint8_t>& record) {
        std::fill(converted.begin(), converted.end(), 0xFF);
        size_t convertedSize = 0;
        if (!conversion.ConvertModelRecord({record.data(), file.modelSize}, converted, header.appPCode, header.memVer,
                                           targetCode, targetVersion, convertedSize))
            return Fail(link, Format("Model Info Conversion Fail. Model Index:#%d", n + 1));
        const uint32_t address = source.controller.modelBase + static_cast<uint32_t>(n) * file.modelSize;
        if (!Attempt(link, "Model Info Write Retry",
                     [&] { return link.WriteFlashData(address, file.modelSize, converted.data()); }))
            return Fail(link, Format("Model Info Write Fail. Model Index:#%d", n));
        return true;
    });
    return restored && FinishRestore(link, source);
}

bool RestoreMenuFile(CDownload_Function& link, const std::filesystem::path& path)
{
    GroupScope group(link, kGroupApplication);
    RestoreSource source;
    if (!OpenRestore(link, path, source))
        return false;
    const DataSchema& file = source.header.schema;
    const DataSchema& controller = source.controller;
    if (!WriteCommonBlock(link, [&] { return link.WriteCommonSet(file, controller, source.block.data()); }))
        return false;
    const bool restored = RestoreModels(link, source, [&](int n, const std::vector<uint8_t>& record) {
        const uint32_t address = controller.ModelAddress(static_cast<uint32_t>(n));
        if (!Attempt(link, "Model Info Write Retry",
                     [&] { return link.WriteModelRecord(file, controller, address, record.data(), n); }))
            return Fail(link, Format("Model Info Write Fail. Model Index:#%d", n));
        return true;
    });
    return restored && FinishRestore(link, source);
}

}  // namespace skarnel
