#include "tests/support/file_size_limit.h"
#include "tests/support/old_file.h"
#include "tests/support/temp_folder.h"
#include "tools/firmware_merge.h"
#include "tools/gang_merge.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace skarnel::test {
namespace {

// Short of every target below.
constexpr size_t kFileSizeLimit = 4096;

// A tool's target file, written on a disk that fills up half-way through it. Each tool reads
// its sources from the folder and writes the target there.
struct ToolWriter {
    const char* name;
    const char* target;
    std::function<JobOutcome(const TempFolder& folder)> run;
    const char* finalText;
};

const ToolWriter kWriters[] = {
    {"FirmwareMerge", "fw.bin",
     [](const TempFolder& folder) {
         MergeRequest request;
         request.appPath = folder.Write("app.bin", PatternBytes(10000, 1));
         request.targetPath = folder.Path("fw");
         return UnderFileSizeLimit(kFileSizeLimit, [&]() -> JobOutcome { return MergeFirmwareFile(request); });
     },
     "Target File Write Fail"},
    {"YModem", "y.bin",
     [](const TempFolder& folder) {
         const std::string source = folder.Write("plain.bin", PatternBytes(10000, 2));
         return UnderFileSizeLimit(kFileSizeLimit, [&] { return ConvertYModemFile(source, folder.Path("y.bin")); });
     },
     ""},
    {"GangMerge", "gang.bin",
     [](const TempFolder& folder) {
         GangRequest request;
         request.stBootPath = folder.Write("st.bin", PatternBytes(6000, 3));
         request.qvBootPath = folder.Write("qv.bin", PatternBytes(12288, 4));
         request.appPath = folder.Write("app.bin", PatternBytes(1000, 5));
         request.targetPath = folder.Path("gang.bin");
         return UnderFileSizeLimit(kFileSizeLimit, [&] { return MergeGangFile(request); });
     },
     "Target File Write Fail"},
};

void PrintTo(const ToolWriter& row, std::ostream* out)
{
    *out << row.name;
}

class ToolFailedWrite : public testing::TestWithParam<ToolWriter> {};

TEST_P(ToolFailedWrite, KeepsTheOldFileAndSaysWhy)
{
    const ToolWriter& writer = GetParam();
    TempFolder folder;
    const OldFile old(folder.Root() / writer.target, PatternBytes(100, 9));
    const JobOutcome outcome = writer.run(folder);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(outcome.finalText, writer.finalText);
    EXPECT_EQ(outcome.reason, old.path().string() + ": File too large");
    EXPECT_TRUE(old.Kept());
    EXPECT_EQ(PartFilesUnder(folder.Root()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Writers, ToolFailedWrite, testing::ValuesIn(kWriters),
                         [](const auto& entry) { return std::string(entry.param.name); });

}  // namespace
}  // namespace skarnel::test
