#include "tools/target_write.h"

#include "firmware/binary_file.h"

namespace skarnel {

JobOutcome WriteTarget(const std::string& path, const std::vector<uint8_t>& bytes, const TargetTexts& texts)
{
    const WriteResult written = WriteWholeFile(path, bytes);
    switch (written.outcome) {
    case WriteOutcome::CreateFailed: return JobOutcome::Failure(texts.createFailed, path + ": " + written.reason);
    case WriteOutcome::WriteFailed: return JobOutcome::Failure(texts.writeFailed, path + ": " + written.reason);
    case WriteOutcome::Written: break;
    }
    return JobOutcome::Success(texts.written);
}

}  // namespace skarnel
