#include "tests/support/temp_folder.h"
#include "tools/gang_merge.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace skarnel {
namespace {

using test::TempFolder;

struct GangFixture {
    TempFolder folder;
    std::vector<uint8_t> st = test::PatternBytes(6000, 1);
    std::vector<uint8_t> qv = test::PatternBytes(12288, 2);
    std::vector<uint8_t> app = test::PatternBytes(100000, 3);
    GangRequest request;

    GangFixture()
    {
        request.stBootPath = folder.Write("st.bin", st);
        request.qvBootPath = folder.Write("qv.bin", qv);
        request.appPath = folder.Write("app.bin", app);
        request.targetPath = folder.Path("gang.bin");
    }
};

TEST(MergeGangFile, PlacesThePlainImagesAtTheirAreasWithFiller)
{
    GangFixture g;
    const JobOutcome result = MergeGangFile(g.request);
    EXPECT_TRUE(result.succeeded);
    EXPECT_EQ(result.finalText, "Gang File Create Success");
    const std::vector<uint8_t> gang = g.folder.Read("gang.bin");
    ASSERT_EQ(gang.size(), 120480u);
    EXPECT_TRUE(std::equal(g.st.begin(), g.st.end(), gang.begin()));
    EXPECT_TRUE(std::all_of(gang.begin() + 6000, gang.begin() + 8192, [](uint8_t b) { return b == 0xFF; }));
    EXPECT_EQ(gang[8192], g.qv[0]);
    EXPECT_TRUE(std::equal(g.qv.begin(), g.qv.end(), gang.begin() + 8192));
    EXPECT_TRUE(std::equal(g.app.begin(), g.app.end(), gang.begin() + 20480));
}

TEST(MergeGangFile, EmptyApplicationGivesJustTheBootAreas)
{
    GangFixture g;
    g.request.appPath = g.folder.Write("empty.bin", {});
    ASSERT_TRUE(MergeGangFile(g.request).succeeded);
    EXPECT_EQ(g.folder.Read("gang.bin").size(), 20480u);
}

struct OverflowCase {
    const char* name;
    size_t part;  // 0 ST, 1 QV, 2 application
    size_t size;
    size_t model;
    std::string message;  // empty: accepted
};

TEST(MergeGangFile, RefusesImagesLargerThanTheirArea)
{
    const OverflowCase cases[] = {
        {"ST at its limit", 0, 8192, 0, ""},
        {"ST one byte over", 0, 8193, 0,
         "ST Bootloader Size Overflow \n\r \n\rFile Name : @ \n\r\n\rMax Size  : 8192 \n\rFile Size : 8193"},
        {"QV one byte over", 1, 12289, 0,
         "QV Bootloader Size Overflow \n\r \n\rFile Name : @ \n\r\n\rMax Size  : 12288 \n\rFile Size : 12289"},
        {"application over KT-40", 2, 241665, 0,
         "Application Size Overflow \n\r \n\rFile Name : @ \n\r\n\rMax Size  : 241664 \n\rFile Size : 241665"},
        {"the same application on KR-70", 2, 241665, 1, ""},
        {"application over KR-70", 2, 503809, 1,
         "Application Size Overflow \n\r \n\rFile Name : @ \n\r\n\rMax Size  : 503808 \n\rFile Size : 503809"},
    };
    for (const OverflowCase& c : cases) {
        GangFixture g;
        g.request.model = c.model;
        const std::string path = g.folder.Write("part.bin", std::vector<uint8_t>(c.size, 0x5A));
        std::string* paths[] = {&g.request.stBootPath, &g.request.qvBootPath, &g.request.appPath};
        *paths[c.part] = path;
        const JobOutcome result = MergeGangFile(g.request);
        EXPECT_EQ(result.succeeded, c.message.empty()) << c.name;
        std::string expected = c.message.empty() ? "Gang File Create Success" : c.message;
        if (const size_t at = expected.find('@'); at != std::string::npos)
            expected.replace(at, 1, path);
        EXPECT_EQ(result.finalText, expected) << c.name;
        EXPECT_EQ(g.folder.Exists("gang.bin"), c.message.empty()) << c.name;
    }
}

struct GangRefusalCase {
    const char* name;
    void (*change)(GangRequest&);
    const char* message;
};

TEST(MergeGangFile, RefusesMissingFilesAndAnUnwritableTarget)
{
    const GangRefusalCase cases[] = {
        {"no target", [](GangRequest& r) { r.targetPath.clear(); }, "File Not Selected"},
        {"no ST boot loader", [](GangRequest& r) { r.stBootPath.clear(); }, "File Not Selected"},
        {"ST missing", [](GangRequest& r) { r.stBootPath += "x"; }, "ST Bootloader File Open Fail"},
        {"QV missing", [](GangRequest& r) { r.qvBootPath += "x"; }, "QV Bootloader File Open Fail"},
        {"application missing", [](GangRequest& r) { r.appPath += "x"; }, "Application File Open Fail"},
        {"target folder missing", [](GangRequest& r) { r.targetPath += "/no/gang.bin"; }, "Target File Create Fail"},
        {"target full", [](GangRequest& r) { r.targetPath = "/dev/full"; }, "Target File Write Fail"},
    };
    for (const GangRefusalCase& c : cases) {
        GangFixture g;
        c.change(g.request);
        const JobOutcome result = MergeGangFile(g.request);
        EXPECT_FALSE(result.succeeded) << c.name;
        EXPECT_EQ(result.finalText, c.message) << c.name;
    }
    EXPECT_TRUE(std::filesystem::exists("/dev/full"));
}

// /dev/zero states a size of 0 and reads without end: a part whose file grows after its size
// was checked. The merge reads no further than one byte past the part's area.
TEST(MergeGangFile, RefusesAPartThatReadsLongerThanItsSize)
{
    const OverflowCase cases[] = {
        {"ST", 0, 0, 0,
         "ST Bootloader Size Overflow \n\r \n\rFile Name : /dev/zero \n\r\n\rMax Size  : 8192 \n\rFile Size : 8193"},
        {"QV", 1, 0, 0,
         "QV Bootloader Size Overflow \n\r \n\rFile Name : /dev/zero \n\r\n\rMax Size  : 12288 \n\rFile Size : 12289"},
        {"application", 2, 0, 1,
         "Application Size Overflow \n\r \n\rFile Name : /dev/zero \n\r\n\rMax Size  : 503808 \n\rFile Size : 503809"},
    };
    for (const OverflowCase& c : cases) {
        GangFixture g;
        g.request.model = c.model;
        std::string* paths[] = {&g.request.stBootPath, &g.request.qvBootPath, &g.request.appPath};
        *paths[c.part] = "/dev/zero";
        const JobOutcome result = MergeGangFile(g.request);
        EXPECT_FALSE(result.succeeded) << c.name;
        EXPECT_EQ(result.finalText, c.message) << c.name;
        EXPECT_FALSE(g.folder.Exists("gang.bin")) << c.name;
    }
}

TEST(GangModels, AreFoundByTheirNames)
{
    EXPECT_EQ(FindGangModel("KT-40"), 0u);
    EXPECT_EQ(FindGangModel("KR-70"), 1u);
    EXPECT_FALSE(FindGangModel("KT-41"));
    EXPECT_EQ(kGangModels[0].LargestApplication(), 241664u);
    EXPECT_EQ(kGangModels[1].LargestApplication(), 503808u);
}

}  // namespace
}  // namespace skarnel
