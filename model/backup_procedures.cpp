#include "link/download_function.h"
#include "base/format.h"
#include "base/replacing_file.h"
#include "base/reporter.h"
#include "model/model_data_lists.h"
#include "model/model_files.h"
#include "model/model_procedures.h"

#include <vector>

namespace skarnel {
namespace {

bool Fail(CDownload_Function& link, const std::string& text)
{
    link.Window().ReportLogLine(text);
    return false;
}

// The banner on the controller and the file header with the schema.
bool StartBackup(CDownload_Function& link, MenuFileHeader& header)
{
    if (!link.ShowModelDataBanner(true))
        return Fail(link, "LCD Display Data Send Fail");
    header = MenuFileHeader{};
    if (!link.BuildFileHeader(header))
        return Fail(link, "File Header Create Fail");
    return true;
}

bool FinishBackup(CDownload_Function& link)
{
    if (!link.DisplayControlOff())
        return Fail(link, "Display Control Off Command Send Fail");
    return true;
}

// Reads model i's modelSize bytes into a cleared record.
bool ReadModel(CDownload_Function& link, const DataSchema& schema, int i, std::vector<uint8_t>& record)
{
    record.assign(kModelRecordSize, 0);
    if (!link.ReadFlashData(schema.ModelAddress(static_cast<uint32_t>(i)), schema.modelSize, record.data()))
        return Fail(link, Format("Model Data Read Fail. Index:#%d", i + 1));
    link.Window().ReportLogLine(Format("Model Data Read. Ok  #%d", i + 1));
    return true;
}

ModelList ReadControllerModelList(CDownload_Function& link, const DataSchema& schema)
{
    ModelList list = ModelList::Blank(schema.modelCount);
    link.ReadModelList(schema.commonSectionAddr[4], schema.commonSectionSize[4], schema.modelCount, list);
    return list;
}

}  // namespace

std::string ControllerModelText(uint16_t type, const std::string& name)
{
    switch (type) {
    case kModelHelicopter: return Format("HELI - %s", name.c_str());
    case kModelFixedWing: return Format("ACRO - %s", name.c_str());
    case kModelEmpty: return "None";
    default: return Format("Unknown Type %d - %s", type, name.c_str());
    }
}

bool BackupModelFiles(CDownload_Function& link, const std::filesystem::path& folder, ModelDataLists& lists)
{
    GroupScope group(link, kGroupApplication);
    MenuFileHeader header;
    if (!StartBackup(link, header))
        return false;
    const DataSchema& schema = header.schema;
    link.Window().ReportLogLine("Model Info Read Start");
    // The files are named after the list: without it they would carry blank names and the wrong type.
    ModelList list = ModelList::Blank(schema.modelCount);
    if (!link.ReadModelList(schema.commonSectionAddr[4], schema.commonSectionSize[4], schema.modelCount, list))
        return Fail(link, "Model Info Read Fail");
    link.Window().ReportLogLine("Model Data Read Start");
    const ModelFileHeader fileHeader{header.appPCode, header.appVer, header.memVer};
    std::vector<uint8_t> record;
    for (uint16_t i = 0; i < schema.modelCount; ++i) {
        lists.AddControllerModel(ControllerModelText(schema.modelType[i], list.names[i]));
        if (schema.modelType[i] == kModelEmpty)
            continue;
        if (!ReadModel(link, schema, i, record))
            return false;
        const std::vector<uint8_t> bytes = ModelFileBytes(fileHeader, record.data(), schema.modelSize);
        const std::filesystem::path path = folder / ModelFileName(list.types[i], list.names[i], i);
        ReplacingFile file;
        if (!file.Create(path))
            return Fail(link, "Backup File Create Fail");
        if (!file.Write(bytes.data(), bytes.size()) || !file.Commit())
            return Fail(link, "Backup File Write Fail");
        lists.AddPcFile(path.string());
    }
    return FinishBackup(link);
}

// Only the listed models are written: a record the header does not list would stand where a
// restore expects the next listed one and make the whole file unrestorable.
bool BackupSystemData(CDownload_Function& link, const std::filesystem::path& path)
{
    GroupScope group(link, kGroupApplication);
    MenuFileHeader header;
    if (!StartBackup(link, header))
        return false;
    ReplacingFile file;
    if (!file.Create(path))
        return Fail(link, "Backup File Create Fail");
    const auto headerBytes = header.Encode();
    bool written = file.Write(headerBytes.data(), headerBytes.size());
    link.Window().ReportLogLine("Common Set Data Read Start");
    std::vector<uint8_t> buffer(kModelRecordSize, 0);
    if (!link.ReadFlashData(header.schema.commonSectionAddr[0], kCommonSetBlockSize, buffer.data()))
        return Fail(link, "Common Set Data Read Fail");
    written = written && file.Write(buffer.data(), kCommonSetBlockSize);
    link.Window().ReportLogLine("Model Data Read Start");
    for (size_t k = 0; k < header.usedModelCount; ++k) {
        const int i = header.usedModelIndex[k];
        if (!ReadModel(link, header.schema, i, buffer))
            return false;
        buffer[kModelRecordNumberOffset] = static_cast<uint8_t>(i);
        written = written && file.Write(buffer.data(), kModelRecordSize);
    }
    if (!written || !file.Commit())
        return Fail(link, "Backup File Write Fail");
    return FinishBackup(link);
}

bool ListControllerModels(CDownload_Function& link, ModelDataLists& lists)
{
    GroupScope group(link, kGroupApplication);
    MenuFileHeader header;
    if (!link.BuildFileHeader(header))
        return false;
    const DataSchema& schema = header.schema;
    const ModelList list = ReadControllerModelList(link, schema);
    link.Window().ReportLogLine("Model List Read Success");
    link.Window().ReportLogLine(kModelJobStop);
    for (uint16_t i = 0; i < schema.modelCount; ++i)
        lists.AddControllerModel(ControllerModelText(schema.modelType[i], list.names[i]));
    return true;
}

}  // namespace skarnel
