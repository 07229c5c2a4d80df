#include "firmware/firmware_file.h"
#include "firmware/scrambler.h"
#include "base/byte_order.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/temp_folder.h"
#include "tools/firmware_merge.h"

#include <gtest/gtest.h>

namespace skarnel {
namespace {

using test::TempFolder;

struct MergeFixture {
    TempFolder folder;
    std::vector<uint8_t> app = test::PatternBytes(1000, 1);
    std::vector<uint8_t> boot = test::PatternBytes(300, 2);
    std::vector<uint8_t> stBoot = test::PatternBytes(50, 3);
    MergeRequest request;

    MergeFixture()
    {
        request.appPath = folder.Write("app.bin", app);
        request.bootPath = folder.Write("boot.bin", boot);
        request.stBootPath = folder.Write("st.bin", stBoot);
        request.targetPath = folder.Path("fw");
    }
};

std::vector<uint32_t> HeaderFields(const std::vector<uint8_t>& file)
{
    std::vector<uint32_t> fields;
    for (size_t offset = 0; offset < 36; offset += 4)
        fields.push_back(ReadLe32(file.data() + offset));
    return fields;
}

TEST(MergeFirmwareFile, ApplicationAloneMakesA1064ByteFile)
{
    MergeFixture m;
    const MergeResult result = MergeFirmwareFile(m.request);
    EXPECT_TRUE(result.succeeded);
    EXPECT_EQ(result.finalText, "File Merge Complete");
    EXPECT_EQ(result.targetPath, m.folder.Path("fw.bin"));
    const std::vector<uint8_t> file = m.folder.Read("fw.bin");
    ASSERT_EQ(file.size(), 1064u);
    EXPECT_EQ(HeaderFields(file), (std::vector<uint32_t>{FileMagic, 0, 64, 1000, 1064, 0, FileMagic, 1064, 0}));
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 64, file.end()), ScrambleImage(m.app));
    test::RecordingReporter window;
    uint32_t bootIncluded = 9;
    EXPECT_TRUE(CheckFirmwareFile(result.targetPath, window, bootIncluded));
    EXPECT_EQ(bootIncluded, 0u);
}

TEST(MergeFirmwareFile, EachIncludedImageIsScrambledOnItsOwnFromTheSeed)
{
    MergeFixture m;
    m.request.bootUse = true;
    m.request.stBootUse = true;
    m.request.targetPath = m.folder.Path("fw.BIN");
    ASSERT_TRUE(MergeFirmwareFile(m.request).succeeded);
    const std::vector<uint8_t> file = m.folder.Read("fw.BIN");
    ASSERT_EQ(file.size(), 1414u);
    EXPECT_EQ(HeaderFields(file), (std::vector<uint32_t>{FileMagic, 1, 64, 1000, 1064, 300, FileMagic, 1364, 50}));
    EXPECT_EQ(file[1064], m.boot[0] ^ file[64] ^ m.app[0]);
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 1064, file.begin() + 1364), ScrambleImage(m.boot));
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 1364, file.end()), ScrambleImage(m.stBoot));
}

struct RefusalCase {
    const char* name;
    void (*change)(MergeRequest&);
    const char* message;
};

TEST(MergeFirmwareFile, RefusesWithTheTextOfTheFirstProblem)
{
    const RefusalCase cases[] = {
        {"no application", [](MergeRequest& r) { r.appPath.clear(); }, "App File Not Selected"},
        {"boot loader checked without a path",
         [](MergeRequest& r) {
             r.bootUse = true;
             r.bootPath.clear();
             r.targetPath.clear();
         },
         "Boot File Not Selected"},
        {"no target", [](MergeRequest& r) { r.targetPath.clear(); }, "Target File Name Not Selected"},
        {"application missing", [](MergeRequest& r) { r.appPath += ".missing"; }, "App File Open Fail"},
        {"boot loader missing",
         [](MergeRequest& r) {
             r.bootUse = true;
             r.bootPath += ".missing";
         },
         "Boot File Open Fail"},
        {"ST boot loader without a path",
         [](MergeRequest& r) {
             r.stBootUse = true;
             r.stBootPath.clear();
         },
         "ST Boot File Open Fail"},
        {"target folder missing", [](MergeRequest& r) { r.targetPath += "/no/such/fw"; }, ""},
    };
    for (const RefusalCase& c : cases) {
        MergeFixture m;
        c.change(m.request);
        const MergeResult result = MergeFirmwareFile(m.request);
        EXPECT_FALSE(result.succeeded) << c.name;
        EXPECT_EQ(result.finalText, c.message) << c.name;
        EXPECT_FALSE(m.folder.Exists("fw.bin")) << c.name;
    }
}

TEST(ConvertYModemFile, ScramblesTheWholeFileAndTwiceGivesItBack)
{
    TempFolder folder;
    const std::vector<uint8_t> plain = test::PatternBytes(5000, 4);
    const std::string source = folder.Write("plain.bin", plain);
    ASSERT_TRUE(ConvertYModemFile(source, folder.Path("y.bin")).succeeded);
    EXPECT_EQ(folder.Read("y.bin"), ScrambleImage(plain));
    const JobOutcome back = ConvertYModemFile(folder.Path("y.bin"), folder.Path("back.bin"));
    EXPECT_TRUE(back.succeeded);
    EXPECT_TRUE(back.finalText.empty());
    EXPECT_EQ(folder.Read("back.bin"), plain);
    EXPECT_EQ(folder.Read("plain.bin"), plain);
}

TEST(ConvertYModemFile, SaysNothingWhenItCannotConvert)
{
    TempFolder folder;
    const JobOutcome missing = ConvertYModemFile(folder.Path("none.bin"), folder.Path("y.bin"));
    EXPECT_FALSE(missing.succeeded);
    EXPECT_TRUE(missing.finalText.empty());
    EXPECT_NE(missing.reason.find("No such file"), std::string::npos) << missing.reason;
    const JobOutcome full = ConvertYModemFile(folder.Write("plain.bin", {1, 2, 3}), "/dev/full");
    EXPECT_FALSE(full.succeeded);
    EXPECT_TRUE(full.finalText.empty());
}

}  // namespace
}  // namespace skarnel
