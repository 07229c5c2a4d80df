#include "link/download_function.h"
#include "base/format.h"
#include "base/reporter.h"
#include "model/data_schema.h"
#include "model/model_files.h"

namespace skarnel {
namespace {

// A section may be written only when the destination describes a section of the same number:
// entries past its count are zero and would send the section to address 0.
bool SectionCountsMatch(Reporter& window, const char* what, int source, int destination)
{
    if (destination >= source)
        return true;
    window.ReportLogLine(Format("%s Section Count Mismatch. File:%d, Controller:%d", what, source, destination));
    return false;
}

}  // namespace

bool CDownload_Function::WriteCommonSet(const DataSchema& source, const DataSchema& destination, const uint8_t* block)
{
    if (!SectionCountsMatch(Window(), "Common Set", source.commonSectionCount, destination.commonSectionCount))
        return false;
    for (uint16_t i = 0; i < source.commonSectionCount; ++i) {
        const int offset = source.commonSectionAddr[i] - source.commonSectionAddr[0];
        const int size = source.commonSectionSize[i];
        if (offset < 0 || offset + size > static_cast<int>(kCommonSetBlockSize)) {
            Window().ReportLogLine(Format("Common Set Section Range Error. Seq:#%d", i));
            return false;
        }
        if (!WriteFlashData(destination.commonSectionAddr[i], static_cast<uint32_t>(size), block + offset)) {
            Window().ReportLogLine(Format("Common Set Write Fail. Seq:#%d", i));
            return false;
        }
    }
    return true;
}

bool CDownload_Function::WriteModelRecord(const DataSchema& source, const DataSchema& destination, uint32_t address,
                                          const uint8_t* record, int index)
{
    if (!SectionCountsMatch(Window(), "Model", source.modelSectionCount, destination.modelSectionCount))
        return false;
    for (uint16_t i = 0; i < source.modelSectionCount; ++i) {
        const int offset = source.modelSectionOffset[i];
        const int size = source.modelSectionSize[i];
        if (offset + size > static_cast<int>(kModelRecordNumberOffset)) {
            Window().ReportLogLine(Format("Model Info Section Range Error. Index:#%d, Seq:#%d", index, i));
            return false;
        }
        if (!WriteFlashData(address + destination.modelSectionOffset[i], static_cast<uint32_t>(size),
                            record + offset)) {
            Window().ReportLogLine(Format("Model Info Write Fail. Index:#%d, Seq:#%d", index, i));
            return false;
        }
    }
    return true;
}

}  // namespace skarnel
