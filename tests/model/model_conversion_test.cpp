#include "base/byte_order.h"
#include "link/frame.h"
#include "model/conversion_table_data.h"
#include "model/model_conversion.h"
#include "tests/model/model_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace skarnel::test {
namespace {

constexpr uint32_t kKt40 = 16003300;
constexpr uint32_t kKt20 = 16003600;
constexpr size_t kStride = 32 + 16 * 368 + 16 * 14;

// A model memory as the simulated controller of that product and version keeps it.
std::vector<uint8_t> SeededModel(uint32_t product, uint32_t version, int index = 0)
{
    ModelLink t(product, version);
    const auto start = t.flash().begin() + 0x2000 + 0x1000 * index;
    return {start, start + 0x1000};
}

struct Converted {
    bool converted;
    std::vector<uint8_t> target;
    size_t size;
    ConversionReport report;
};

Converted Convert(const std::vector<uint8_t>& source, uint32_t sc, uint32_t sv, uint32_t tc, uint32_t tv,
                  const CModel_Conversion_Function& conversion = CModel_Conversion_Function())
{
    Converted result{false, std::vector<uint8_t>(8192, 0xFF), 0, {}};
    result.converted =
        conversion.ConvertModelRecord(source, result.target, sc, sv, tc, tv, result.size, &result.report);
    return result;
}

TEST(ConvertModelRecord, Version1000To1001AddsTwoFieldsAndMovesTheRest)
{
    const std::vector<uint8_t> source = SeededModel(kKt40, 1000);
    const Converted result = Convert(source, kKt40, 1000, kKt40, 1001);
    ASSERT_TRUE(result.converted) << result.report.failure;
    EXPECT_EQ(result.size, 4096u);
    EXPECT_TRUE(std::equal(source.begin(), source.begin() + 420, result.target.begin()));
    EXPECT_EQ(result.target[420], 0xFF);  // fields 344 and 345: nothing to take from version 1000
    EXPECT_EQ(result.target[421], 0xFF);
    EXPECT_EQ(ReadLe16(result.target.data() + 422), ComputeCrc16(result.target.data() + 360, 62));
    EXPECT_TRUE(std::equal(source.begin() + 422, source.begin() + 430, result.target.begin() + 424));
    EXPECT_EQ(ReadLe16(result.target.data() + 495), ComputeCrc16(result.target.data() + 475, 20));
    EXPECT_TRUE(std::all_of(result.target.begin() + 497, result.target.end(), [](uint8_t b) { return b == 0xFF; }));
}

TEST(ConvertModelRecord, SeededModelsConvertToThemselves)
{
    for (uint32_t product : {kKt40, kKt20})
        for (uint32_t version : {1000u, 1001u}) {
            const std::vector<uint8_t> source = SeededModel(product, version, 1);
            const Converted result = Convert(source, product, version, product, version);
            ASSERT_TRUE(result.converted);
            EXPECT_TRUE(std::equal(source.begin(), source.end(), result.target.begin())) << product << " " << version;
        }
}

struct ValueCase {
    const char* name;
    size_t offset;
    uint8_t value;
    uint32_t target;
    uint8_t expected;
};

class FieldValues : public testing::TestWithParam<ValueCase> {};

TEST_P(FieldValues, OutOfRangeValuesBecomeTheTargetsDefault)
{
    std::vector<uint8_t> source = SeededModel(kKt40, 1000);
    source[GetParam().offset] = GetParam().value;
    const Converted result = Convert(source, kKt40, 1000, GetParam().target, 1000);
    ASSERT_TRUE(result.converted);
    EXPECT_EQ(result.target[GetParam().offset], GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, FieldValues,
                         testing::Values(ValueCase{"switch9ToKt20", 3, 9, kKt20, 0},
                                         ValueCase{"switch9ToKt40", 3, 9, kKt40, 0},
                                         ValueCase{"switch4ToKt20", 3, 4, kKt20, 4},
                                         ValueCase{"switch6ToKt20", 3, 6, kKt20, 0},
                                         ValueCase{"switch6ToKt40", 3, 6, kKt40, 6},
                                         // aileron_trim is signed: 0xFF is -1, inside -100..100.
                                         ValueCase{"signedMinusOne", 36, 0xFF, kKt40, 0xFF},
                                         // trim_step is unsigned: 0xFF is 255, outside 1..10.
                                         ValueCase{"unsigned255", 35, 0xFF, kKt40, 4},
                                         // trainer_switch exists on the KT40 only: a KT20 gets the default.
                                         ValueCase{"absentOnTarget", 9, 3, kKt20, 6}),
                         [](const auto& entry) { return std::string(entry.param.name); });

TEST(ConvertModelRecord, FourByteFieldsAreCopiedWhole)
{
    std::vector<uint8_t> source = SeededModel(kKt40, 1001);
    WriteLe32(source.data() + 432, 0xFEDCBA98);  // bound_receiver_id, after the 8 start positions
    const Converted result = Convert(source, kKt40, 1001, kKt40, 1000);
    ASSERT_TRUE(result.converted);
    EXPECT_EQ(ReadLe32(result.target.data() + 430), 0xFEDCBA98u);
}

TEST(ConvertModelRecord, ReportSaysWhatWasReplacedAndWhy)
{
    std::vector<uint8_t> source = SeededModel(kKt40, 1000);
    source[3] = 9;
    source[9] = 3;
    const Converted result = Convert(source, kKt40, 1000, kKt20, 1000);
    ASSERT_TRUE(result.converted);
    const std::vector<std::string> lines = DescribeConversionChanges(result.report);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Field 2 timer_1_switch: 9 -> 0 (out of range 0..5)");
    EXPECT_EQ(lines[1], "Field 8 trainer_switch: 3 -> 6 (absent in the target layout)");

    const Converted back = Convert(result.target, kKt20, 1000, kKt40, 1000);
    const std::vector<std::string> backLines = DescribeConversionChanges(back.report);
    ASSERT_FALSE(backLines.empty());
    EXPECT_EQ(backLines[0], "Field 8 trainer_switch: default 6 written (absent in the source layout)");
    const auto positions = std::find_if(backLines.begin(), backLines.end(),
                                        [](const std::string& line) { return line.find("[1]") != std::string::npos; });
    EXPECT_EQ(positions, backLines.end());  // nothing of a multi-element field changed
}

TEST(ConvertModelRecord, ElementsOfAFieldAreReportedByIndex)
{
    std::vector<uint8_t> source = SeededModel(kKt40, 1001);
    source[424 + 5] = 7;  // start_switch_positions[5], range 1..3
    const Converted result = Convert(source, kKt40, 1001, kKt40, 1001);
    ASSERT_TRUE(result.converted);
    EXPECT_EQ(result.target[429], 2);
    EXPECT_EQ(DescribeConversionChanges(result.report),
              (std::vector<std::string>{"Field 347 start_switch_positions[5]: 7 -> 2 (out of range 1..3)"}));
}

struct Refusal {
    const char* name;
    uint32_t sourceCode;
    size_t sourceSize;
    size_t targetSize;
    std::string failure;
};

class ConversionRefusals : public testing::TestWithParam<Refusal> {};

TEST_P(ConversionRefusals, GiveTheirReason)
{
    const std::vector<uint8_t> source(GetParam().sourceSize, 0);
    std::vector<uint8_t> target(GetParam().targetSize, 0xFF);
    size_t size = 0;
    ConversionReport report;
    EXPECT_FALSE(CModel_Conversion_Function().ConvertModelRecord(source, target, GetParam().sourceCode, 1000, kKt40,
                                                                 1001, size, &report));
    EXPECT_EQ(report.failure, GetParam().failure);
    EXPECT_TRUE(std::all_of(target.begin(), target.end(), [](uint8_t b) { return b == 0xFF; }));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConversionRefusals,
    testing::Values(Refusal{"unknownProduct", 3001, 4096, 4096,
                            "No conversion table for product 3001, memory version 1000"},
                    Refusal{"shortSource", kKt40, 478, 4096, "Field 363 reaches past the model data (478 bytes)"},
                    Refusal{"smallTarget", kKt40, 4096, 4000, "The target holds 4000 bytes, a converted record 4096"}),
    [](const auto& entry) { return std::string(entry.param.name); });

TEST(ConversionTables, LookUpsFindTheFourLayouts)
{
    const CModel_Conversion_Function conversion;
    EXPECT_TRUE(conversion.HasConversionTable(kKt40, 1000));
    EXPECT_TRUE(conversion.HasConversionTable(kKt20, 1001));
    EXPECT_FALSE(conversion.HasConversionTable(kKt40, 1002));
    EXPECT_FALSE(conversion.HasConversionTable(3001, 1000));
    EXPECT_TRUE(conversion.HasConversionPair(kKt40, 1000, kKt40, 1001));
    EXPECT_FALSE(conversion.HasConversionPair(kKt40, 1000, kKt40, 1002));
}

// Copies of the shipped set with one thing changed.
struct EditedSet {
    std::vector<uint8_t> bytes;
    EditedSet()
    {
        const auto shipped = EmbeddedConversionTableSet();
        bytes.assign(shipped.begin(), shipped.end());
    }
    uint8_t* Table(size_t t) { return bytes.data() + 32 + t * kStride; }
    uint8_t* Field(size_t t, size_t k) { return Table(t) + 32 + 16 * k; }
};

TEST(ConversionTables, SetThatIsNoSetHasNoTables)
{
    EditedSet odd;
    odd.bytes.push_back(0);
    EXPECT_FALSE(CModel_Conversion_Function(odd.bytes).HasConversionTable(kKt40, 1000));
    EditedSet magic;
    magic.bytes[0] ^= 1;
    EXPECT_FALSE(CModel_Conversion_Function(magic.bytes).HasConversionTable(kKt40, 1000));
    EXPECT_FALSE(CModel_Conversion_Function(std::span<const uint8_t>()).HasConversionTable(kKt40, 1000));
}

TEST(ConversionTables, TableClaimingMoreRecordsThanTheSetHoldsIsLeftOut)
{
    EditedSet fields;
    WriteLe32(fields.Table(1) + 13, 369);
    EXPECT_FALSE(CModel_Conversion_Function(fields.bytes).HasConversionTable(kKt40, 1000));
    EXPECT_TRUE(CModel_Conversion_Function(fields.bytes).HasConversionTable(kKt20, 1000));
    EditedSet checksums;
    WriteLe32(checksums.Table(3) + 17, 15);
    EXPECT_FALSE(CModel_Conversion_Function(checksums.bytes).HasConversionTable(kKt40, 1001));
}

TEST(ConversionTables, TableWithAFieldPastTheConvertedRecordIsLeftOut)
{
    EditedSet set;
    WriteLe16(set.Field(0, 100) + 4, 4095);  // a 1-byte field still fits
    EXPECT_TRUE(CModel_Conversion_Function(set.bytes).HasConversionTable(kKt20, 1000));
    set.Field(0, 100)[2] = 2;  // a 2-byte one does not
    EXPECT_FALSE(CModel_Conversion_Function(set.bytes).HasConversionTable(kKt20, 1000));
}

TEST(ConversionTables, TheLastMatchingTableConverts)
{
    EditedSet set;
    WriteLe32(set.Table(3) + 9, 1000);  // table 3 now claims KT40 version 1000 too
    const Converted result =
        Convert(SeededModel(kKt40, 1001), kKt40, 1000, kKt40, 1000, CModel_Conversion_Function(set.bytes));
    ASSERT_TRUE(result.converted);
    EXPECT_EQ(ReadLe16(result.target.data() + 495), ComputeCrc16(result.target.data() + 475, 20));
}

struct FitCase {
    uint8_t wing, tail, flaps;
    bool fits;
};

class Kt20Fit : public testing::TestWithParam<FitCase> {};

TEST_P(Kt20Fit, FollowsWingTailAndFlaps)
{
    std::vector<uint8_t> model(64, 0);
    model[16] = GetParam().wing;
    model[17] = GetParam().tail;
    model[18] = GetParam().flaps;
    EXPECT_EQ(CModel_Conversion_Function::CheckKt20Fit(model), GetParam().fits);
}

INSTANTIATE_TEST_SUITE_P(Cases, Kt20Fit,
                         testing::Values(FitCase{0, 0, 1, true}, FitCase{1, 3, 0, true}, FitCase{1, 1, 2, false},
                                         FitCase{0, 2, 1, true}, FitCase{0, 2, 0, false}, FitCase{2, 0, 2, true},
                                         FitCase{3, 1, 3, false}, FitCase{2, 2, 0, false}, FitCase{2, 2, 1, true},
                                         FitCase{3, 2, 2, true}, FitCase{3, 3, 1, true}, FitCase{2, 3, 2, false},
                                         FitCase{4, 0, 0, false}, FitCase{0, 4, 0, false}));

TEST(Kt20Fit, DataTooShortDoesNotFit)
{
    EXPECT_FALSE(CModel_Conversion_Function::CheckKt20Fit(std::vector<uint8_t>(18, 0)));
}

}  // namespace
}  // namespace skarnel::test
