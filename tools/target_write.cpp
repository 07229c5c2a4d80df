#include "tools/target_write.h"

#include "firmware/binary_file.h"

namespace skarnel {

ToolResult WriteTarget(const std::string& path, const std::vector<uint8_t>& bytes, const TargetTexts& texts)
{
    const WriteResult written = WriteWholeFile(path, bytes);
    switch (written.outcome) {
    case WriteOutcome::CreateFailed: return ToolResult::Failure(texts.createFailed, path + ": " + written.reason);
    case WriteOutcome::WriteFailed: return ToolResult::Failure(texts.writeFailed, path + ": " + written.reason);
    case WriteOutcome::Written: break;
    }
    return ToolResult::Success(texts.written);
}

}  // namespace skarnel
