#include "base/byte_order.h"
#include "model/data_schema.h"

#include <gtest/gtest.h>

namespace skarnel {
namespace {

DataSchema SmallSchema()
{
    DataSchema schema;
    schema.modelCount = 2;
    schema.commonSectionCount = 3;
    schema.modelSectionCount = 1;
    schema.modelSize = 0x300;
    schema.modelBase = 0x2000;
    schema.commonSectionAddr = {0x100, 0x120, 0x140};
    schema.commonSectionSize = {0x20, 0x10, 0x8};
    schema.modelType = {0, 255};
    schema.modelSectionOffset = {0};
    schema.modelSectionSize = {0x300};
    return schema;
}

TEST(DataSchema, ReplyPayloadHoldsTheCountsThenEachList)
{
    const std::vector<uint8_t> payload = EncodeDataSchemaReply(SmallSchema());
    EXPECT_EQ(payload.size(), 10u + 6 + 6 + 4 + 2 + 2);

    DataSchema parsed;
    std::string error;
    ASSERT_TRUE(ParseDataSchemaReply(payload.data(), payload.size(), parsed, error)) << error;
    EXPECT_EQ(parsed.commonSectionAddr[2], 0x140);
    EXPECT_EQ(parsed.commonSectionSize[1], 0x10);
    EXPECT_EQ(parsed.commonTotalSize, 0x38);
    EXPECT_EQ(parsed.modelType[1], 255);
    EXPECT_EQ(parsed.modelSectionSize[0], 0x300);
}

TEST(DataSchema, ParserLeavesEntriesPastTheCountsAsTheCallerHadThem)
{
    const std::vector<uint8_t> payload = EncodeDataSchemaReply(SmallSchema());
    DataSchema parsed;
    parsed.commonSectionAddr[3] = 0xABCD;
    parsed.modelType[2] = 7;
    std::string error;
    ASSERT_TRUE(ParseDataSchemaReply(payload.data(), payload.size(), parsed, error));
    EXPECT_EQ(parsed.commonSectionAddr[3], 0xABCD);
    EXPECT_EQ(parsed.modelType[2], 7);
}

TEST(DataSchema, CommonTotalSizeWrapsAtSixteenBits)
{
    DataSchema schema = SmallSchema();
    schema.commonSectionSize = {0xFFF0, 0x20, 0x1};
    const std::vector<uint8_t> payload = EncodeDataSchemaReply(schema);
    DataSchema parsed;
    std::string error;
    ASSERT_TRUE(ParseDataSchemaReply(payload.data(), payload.size(), parsed, error));
    EXPECT_EQ(parsed.commonTotalSize, 0x11);
}

struct RefusedSchema {
    const char* name;
    int field;  // which of the five counts to set
    uint16_t value;
};

class DataSchemaRefusal : public testing::TestWithParam<RefusedSchema> {};

TEST_P(DataSchemaRefusal, CountsBeyondTheFixedFormAreRefusedWithoutTouchingTheSchema)
{
    std::vector<uint8_t> payload = EncodeDataSchemaReply(SmallSchema());
    WriteLe16(payload.data() + 2 * GetParam().field, GetParam().value);
    payload.resize(8192, 0);  // long enough for any count
    DataSchema parsed;
    parsed.modelCount = 99;
    std::string error;
    EXPECT_FALSE(ParseDataSchemaReply(payload.data(), payload.size(), parsed, error));
    EXPECT_EQ(error.rfind("Data Schema Size Error.", 0), 0u) << error;
    EXPECT_EQ(parsed.modelCount, 99);
}

INSTANTIATE_TEST_SUITE_P(Capacities, DataSchemaRefusal,
                         testing::Values(RefusedSchema{"models", 0, 129}, RefusedSchema{"commonSections", 1, 33},
                                         RefusedSchema{"modelSections", 2, 33}, RefusedSchema{"modelSize", 3, 8192}),
                         [](const auto& entry) { return std::string(entry.param.name); });

TEST(DataSchema, ReplyShorterThanItsCountsImplyIsRefused)
{
    const std::vector<uint8_t> payload = EncodeDataSchemaReply(SmallSchema());
    DataSchema parsed;
    std::string error;
    EXPECT_FALSE(ParseDataSchemaReply(payload.data(), payload.size() - 1, parsed, error));
    EXPECT_EQ(error, "Data Schema Length Error. Recv : 29, Expected : 30");
    EXPECT_FALSE(ParseDataSchemaReply(payload.data(), 9, parsed, error));
}

TEST(DataSchema, FixedFormKeepsEveryFieldAtItsOffset)
{
    DataSchema schema = SmallSchema();
    schema.commonTotalSize = 0x38;
    schema.modelType[127] = 1;
    schema.modelSectionSize[31] = 0x1234;
    uint8_t bytes[DataSchema::kFixedFormSize] = {};
    schema.EncodeFixedForm(bytes);
    EXPECT_EQ(ReadLe16(bytes + 8), 0x2000);
    EXPECT_EQ(ReadLe16(bytes + 10 + 2 * 2), 0x140);
    EXPECT_EQ(ReadLe16(bytes + 74), 0x20);
    EXPECT_EQ(ReadLe16(bytes + 138), 0x38);
    EXPECT_EQ(ReadLe16(bytes + 140 + 2 * 127), 1);
    EXPECT_EQ(ReadLe16(bytes + 460 + 2 * 31), 0x1234);
    const DataSchema decoded = DataSchema::DecodeFixedForm(bytes);
    EXPECT_EQ(decoded.modelSectionSize[31], 0x1234);
    EXPECT_EQ(decoded.commonSectionAddr, schema.commonSectionAddr);
    EXPECT_EQ(decoded.modelType, schema.modelType);
}

}  // namespace
}  // namespace skarnel
