#include "sdcard/sd_procedures.h"
#include "tests/sdcard/sd_test_support.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/old_file.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <ostream>

namespace skarnel::test {
namespace {

// A copy of the card's /LogData to the PC that fails half-way, as on a disk that fills up.
struct FailedCopy {
    const char* name;
    std::vector<std::string> copied;
    size_t fileSizeLimit;
    const char* failing;
};

void PrintTo(const FailedCopy& row, std::ostream* out)
{
    *out << row.name;
}

class SdFailedWrite : public testing::TestWithParam<FailedCopy> {};

TEST_P(SdFailedWrite, KeepsTheOldFileAndSaysSo)
{
    const FailedCopy& c = GetParam();
    SdLink s;
    TempFolder pc;
    const OldFile old(pc.Root() / c.failing, PatternBytes(100, 9));
    const StopRequest stop;
    const JobOutcome outcome =
        UnderFileSizeLimit(c.fileSizeLimit, [&] { return SdToPcJob(s.link, "/LogData", c.copied, pc.Root(), stop); });
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(outcome.boxText, "File Transfer Fail");
    EXPECT_EQ(s.reporter.LogLines().back(), "File Write Fail");
    EXPECT_TRUE(old.Kept());
    EXPECT_EQ(PartFilesUnder(pc.Root()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Copies, SdFailedWrite,
    testing::Values(FailedCopy{"InItsSecondBlock", {"x.cld"}, 3000, "x.cld"},
                    // 20110327.bin (4096 bytes) fits the limit whole; x.cld fails at its last byte.
                    FailedCopy{"AtTheLastByteOfTheSecondCopy", {"20110327.bin", "x.cld"}, 4096, "x.cld"}),
    [](const auto& entry) { return std::string(entry.param.name); });

}  // namespace
}  // namespace skarnel::test
