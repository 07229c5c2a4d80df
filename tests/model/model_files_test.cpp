#include "base/byte_order.h"
#include "model/model_files.h"
#include "tests/model/model_test_support.h"
#include "tests/support/temp_folder.h"
#include "tests/support/recording_reporter.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace skarnel::test {
namespace {

struct NameCase {
    uint8_t listType;
    std::string name;
    int index;
    std::string file;
};

class ModelFileNames : public testing::TestWithParam<NameCase> {};

TEST_P(ModelFileNames, FollowTypeNameAndNumber)
{
    EXPECT_EQ(ModelFileName(GetParam().listType, GetParam().name, GetParam().index), GetParam().file);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ModelFileNames,
    testing::Values(NameCase{0, "ALPHA", 0, "hALPHA01.mdl"}, NameCase{1, "X", 9, "aX10.mdl"},
                    NameCase{255, "CUB", 1, "aCUB02.mdl"}, NameCase{0, "", 11, "hNONAME12.mdl"},
                    NameCase{1, "TREX 450", 99, "aTREX 450100.mdl"},
                    // Names from the controller never become paths.
                    NameCase{0, "../etc", 0, "h___etc01.mdl"}, NameCase{0, "a/b\\c", 0, "ha_b_c01.mdl"},
                    NameCase{0, "x..y...z", 0, "hx__y___z01.mdl"}, NameCase{0, "v1.2", 0, "hv1.201.mdl"},
                    NameCase{0, std::string("\x01q\tr\x7f", 5), 0, "h_q_r_01.mdl"}, NameCase{0, "..", 0, "h__01.mdl"}));

TEST(ModelList, TypesThenNineByteNamesTrimmedAndEndedByZero)
{
    std::vector<uint8_t> bytes = {0, 1, 255};
    for (const char* name : {"  ALPHA  ", "B\0junk   ", "         "})
        bytes.insert(bytes.end(), name, name + 9);
    const ModelList list = ModelList::Decode(bytes, 3);
    EXPECT_EQ(list.types, (std::vector<uint8_t>{0, 1, 255}));
    EXPECT_EQ(list.names, (std::vector<std::string>{"ALPHA", "B", ""}));
}

TEST(ModelList, ModelsPastTheEndOfTheBytesReadAsBlank)
{
    std::vector<uint8_t> bytes = {1, 2, 1};
    bytes.insert(bytes.end(), {'C', 'U', 'B', 0, 0, 0, 0, 0, 0, 'T', 'R'});
    const ModelList list = ModelList::Decode(bytes, 3);
    EXPECT_EQ(list.types, (std::vector<uint8_t>{1, 2, 1}));
    EXPECT_EQ(list.names, (std::vector<std::string>{"CUB", "", ""}));
    EXPECT_EQ(ModelList::Decode(std::span<const uint8_t>(bytes).first(2), 3).types, (std::vector<uint8_t>{1, 2, 0}));
}

TEST(MenuFileHeader, FieldsSitAtTheirOffsets)
{
    MenuFileHeader header;
    header.appPCode = 16003300;
    header.appVer = 105;
    header.memVer = 1000;
    header.productName = {'K', 'T', '4', '0'};
    header.schema.modelCount = 3;
    header.schema.modelType = {1, 255, 0};
    header.ListUsedModels();
    const auto bytes = header.Encode();
    EXPECT_EQ(ReadLe32(bytes.data()), 0x005F12CDu);
    EXPECT_EQ(ReadLe32(bytes.data() + 4), 16003300u);
    EXPECT_EQ(ReadLe32(bytes.data() + 12), 1000u);
    EXPECT_EQ(bytes[16], 'K');
    EXPECT_TRUE(std::all_of(bytes.begin() + 32, bytes.begin() + 142, [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(ReadLe16(bytes.data() + 142), 3);
    EXPECT_EQ(ReadLe16(bytes.data() + 666), 2);
    EXPECT_EQ(bytes[668], 0);
    EXPECT_EQ(bytes[669], 2);
    EXPECT_TRUE(std::all_of(bytes.begin() + 796, bytes.end(), [](uint8_t b) { return b == 0; }));
    const MenuFileHeader decoded = MenuFileHeader::Decode(bytes);
    EXPECT_EQ(decoded.usedModelCount, 2);
    EXPECT_EQ(decoded.schema.modelType[0], 1);
    EXPECT_EQ(decoded.ContentError(), "");
}

TEST(MenuFileHeader, ListedModelOutsideItsSchemaIsAContentError)
{
    MenuFileHeader header;
    header.schema.modelCount = 2;
    header.usedModelCount = 1;
    header.usedModelIndex[0] = 5;
    EXPECT_EQ(header.ContentError(), "Used Model Index Error. Model Index:#5");
    header.usedModelCount = 200;
    EXPECT_EQ(header.ContentError(), "Used Model Count Error. Count:200");
}

TEST(ModelFile, BackupOfA3000ByteModelIs7096BytesWithFillerAfterTheValues)
{
    const std::vector<uint8_t> model(3000, 0x42);
    const std::vector<uint8_t> bytes = ModelFileBytes({16003300, 105, 1001}, model.data(), model.size());
    ASSERT_EQ(bytes.size(), 7096u);
    EXPECT_EQ(ReadLe32(bytes.data()), 16003300u);
    EXPECT_EQ(ReadLe32(bytes.data() + 4), 105u);
    EXPECT_EQ(ReadLe32(bytes.data() + 8), 1001u);
    EXPECT_TRUE(std::all_of(bytes.begin() + 12, bytes.begin() + 4096, [](uint8_t b) { return b == 0xFF; }));
    EXPECT_TRUE(std::all_of(bytes.begin() + 4096, bytes.end(), [](uint8_t b) { return b == 0x42; }));
}

struct CheckCase {
    const char* name;
    std::vector<uint8_t> start;
    size_t size;
    MenuFileCheck result;
    std::vector<std::string> log;
};

class MenuFileChecks : public testing::TestWithParam<CheckCase> {};

TEST_P(MenuFileChecks, TestTheMagicOfAWholeHeader)
{
    TempFolder folder;
    const auto path = folder.Root() / "menu.mif";
    std::vector<uint8_t> bytes(GetParam().size, 0);
    std::copy(GetParam().start.begin(), GetParam().start.end(), bytes.begin());
    WriteFileBytes(path, bytes);
    RecordingReporter reporter;
    EXPECT_EQ(CheckMenuFile(path, reporter), GetParam().result);
    EXPECT_EQ(reporter.LogLines(), GetParam().log);
}

INSTANTIATE_TEST_SUITE_P(
    Files, MenuFileChecks,
    testing::Values(
        CheckCase{"magic", {0xCD, 0x12, 0x5F, 0x00}, 1024, MenuFileCheck::Accepted, {}},
        CheckCase{
            "zeros", {0, 0, 0, 0}, 1024, MenuFileCheck::FlagMismatch, {"File Header Check - Flag Value Mismatch"}},
        CheckCase{"short", {0xCD, 0x12, 0x5F, 0x00}, 1023, MenuFileCheck::TooShort, {}}),
    [](const auto& entry) { return std::string(entry.param.name); });

TEST(MenuFileChecks, MissingFileCannotBeOpened)
{
    RecordingReporter reporter;
    EXPECT_EQ(CheckMenuFile("/nonexistent/menu.mif", reporter), MenuFileCheck::OpenFailed);
    EXPECT_EQ(reporter.LogLines(), (std::vector<std::string>{"File Open Fail"}));
}

}  // namespace
}  // namespace skarnel::test
