#include "model/model_jobs.h"

#include "link/download_function.h"
#include "base/reporter.h"
#include "model/model_procedures.h"

#include <functional>

namespace skarnel {
namespace {

struct JobTexts {
    const char* start;
    const char* success;
    const char* fail;
};

JobOutcome RunModelJob(CDownload_Function& link, const JobTexts& texts, const std::function<bool()>& procedure)
{
    link.Window().ReportLogLine(texts.start);
    const bool succeeded = procedure();
    return {succeeded, succeeded ? texts.success : texts.fail, {}, {}};
}

}  // namespace

JobOutcome ModelBackupJob(CDownload_Function& link, const std::filesystem::path& folder, ModelDataLists& lists)
{
    return RunModelJob(link, {"Menu Data Backup Start!!", kModelBackupSuccess, kModelBackupFail},
                       [&] { return BackupModelFiles(link, folder, lists); });
}

JobOutcome SystemBackupJob(CDownload_Function& link, const std::filesystem::path& path)
{
    return RunModelJob(link, {"System Data Backup Start!!", kSystemBackupSuccess, kSystemBackupFail},
                       [&] { return BackupSystemData(link, path); });
}

JobOutcome MenuRestoreJob(CDownload_Function& link, const std::filesystem::path& path)
{
    return RunModelJob(link, {"Model Data Write Start!!", kMenuRestoreSuccess, kMenuRestoreFail},
                       [&] { return RestoreMenuFile(link, path); });
}

JobOutcome ConvertedRestoreJob(CDownload_Function& link, const std::filesystem::path& path)
{
    return RunModelJob(link,
                       {"System Data Restore Start!!", "Model Data Restore Process Success", kConvertedRestoreFail},
                       [&] { return RestoreSystemData(link, path); });
}

}  // namespace skarnel
