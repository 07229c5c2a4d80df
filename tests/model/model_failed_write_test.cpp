#include "model/model_file_conversion.h"
#include "model/model_files.h"
#include "model/model_jobs.h"
#include "tests/model/model_test_support.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/old_file.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace skarnel::test {
namespace {

constexpr uint32_t kKt40 = 16003300;
// Beyond a file's first 4096-byte block, short of any whole model file.
constexpr size_t kFileSizeLimit = 6000;

// A file the model data writers make, written on a disk that fills up half-way through it.
struct ModelWriter {
    const char* name;
    const char* target;
    // Runs the writer into the folder on the controller; the texts it ended with.
    std::function<std::vector<std::string>(ModelLink&, const std::filesystem::path& folder)> run;
    std::vector<std::string> told;
};

std::vector<std::string> EndOfJob(const ModelLink& t, const JobOutcome& outcome)
{
    EXPECT_FALSE(outcome.succeeded);
    return {t.reporter.LogLines().back(), outcome.finalText};
}

// A model file of the controller's first model, in memory version 1000, for converting.
ModelFileSource ConversionSource(ModelLink& t, const TempFolder& sources)
{
    const auto path = sources.Root() / "hALPHA01.mdl";
    WriteFileBytes(path, ModelFileBytes({kKt40, 105, 1000}, t.flash().data() + 0x2000, 0x1000));
    ModelFileSource source;
    EXPECT_EQ(ReadModelFileSource(path, t.reporter, source), SourceCheck::Accepted);
    return source;
}

const ModelWriter kWriters[] = {
    {"ModelBackup",
     "hALPHA01.mdl",
     [](ModelLink& t, const std::filesystem::path& folder) {
         RecordingLists lists;
         const JobOutcome outcome =
             UnderFileSizeLimit(kFileSizeLimit, [&] { return ModelBackupJob(t.link, folder, lists); });
         return EndOfJob(t, outcome);
     },
     {"Backup File Write Fail", "Model Data Backup Process Fail"}},
    {"SystemBackup",
     "Menu_Backup.mif",
     [](ModelLink& t, const std::filesystem::path& folder) {
         const JobOutcome outcome =
             UnderFileSizeLimit(kFileSizeLimit, [&] { return SystemBackupJob(t.link, folder / "Menu_Backup.mif"); });
         return EndOfJob(t, outcome);
     },
     {"Backup File Write Fail", "Menu Data Backup Process Fail"}},
    {"ConvertedModelFile",
     "hALPHA01.mdl",
     [](ModelLink& t, const std::filesystem::path& folder) {
         const TempFolder sources;
         const ModelFileSource source = ConversionSource(t, sources);
         const bool converted = UnderFileSizeLimit(kFileSizeLimit, [&] {
             return ConvertModelFiles({source}, {kKt40, 1001}, folder, t.reporter, [](const ModelFileOutcome&) {});
         });
         EXPECT_FALSE(converted);
         return t.reporter.Messages();
     },
     {"File Create Fail|Skarnel"}},
};

void PrintTo(const ModelWriter& row, std::ostream* out)
{
    *out << row.name;
}

class ModelFailedWrite : public testing::TestWithParam<ModelWriter> {};

TEST_P(ModelFailedWrite, KeepsTheOldFileAndSaysSo)
{
    const ModelWriter& writer = GetParam();
    ModelLink t(kKt40, 1000);
    TempFolder folder;
    const OldFile old(folder.Root() / writer.target, PatternBytes(100, 9));
    EXPECT_EQ(writer.run(t, folder.Root()), writer.told);
    EXPECT_TRUE(old.Kept());
    EXPECT_EQ(PartFilesUnder(folder.Root()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Writers, ModelFailedWrite, testing::ValuesIn(kWriters),
                         [](const auto& entry) { return std::string(entry.param.name); });

}  // namespace
}  // namespace skarnel::test
