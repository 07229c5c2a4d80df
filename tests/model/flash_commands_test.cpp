#include "base/byte_order.h"
#include "base/format.h"
#include "model/data_schema.h"
#include "model/model_files.h"
#include "tests/model/model_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace skarnel::test {
namespace {

using sim::FaultKind;

constexpr uint8_t kSchemaRead = 0x32;
constexpr uint8_t kFlashRead = 0x33;
constexpr uint8_t kFlashWrite = 0x34;

struct FlashLink : ModelLink {
    std::vector<std::pair<uint32_t, uint32_t>> FlashReads() const
    {
        std::vector<std::pair<uint32_t, uint32_t>> reads;
        for (const sim::Request& request : device->engine().RequestLog())
            if (request.code == kFlashRead)
                reads.emplace_back(ReadLe32(request.payload.data() + 4), ReadLe32(request.payload.data()));
        return reads;
    }
    int Count(const std::string& line) const
    {
        const auto lines = reporter.LogLines();
        return static_cast<int>(std::count(lines.begin(), lines.end(), line));
    }
    void Faults(FaultKind kind, uint8_t code, int count) { AddFault(kind, 5, code, count); }
    // The controller answers flash reads with this many data bytes, whatever was asked.
    void AnswerReadsWith(size_t size)
    {
        engine().On(sim::ControllerMode::Application, 5, kFlashRead, [size](const sim::Request&) {
            return sim::Reply{sim::kAckCode, std::vector<uint8_t>(size, 0x5A)};
        });
    }
};

TEST(FlashCommands, BlockReadAboveTheBlockSizeSendsNothing)
{
    FlashLink t;
    std::vector<uint8_t> buffer(4096);
    uint32_t length = 0;
    EXPECT_FALSE(t.link.ReadFlashBlock(0x2000, 2049, buffer.data(), length));
    EXPECT_EQ(t.engine().RequestCount(), 0u);
}

struct SplitCase {
    uint32_t address;
    uint32_t size;
    std::vector<std::pair<uint32_t, uint32_t>> blocks;
};

class FlashReadSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(FlashReadSplit, ReadsInBlocksOf2048WithTheRemainderLast)
{
    FlashLink t;
    std::vector<uint8_t> buffer(8192, 0);
    ASSERT_TRUE(t.link.ReadFlashData(GetParam().address, GetParam().size, buffer.data()));
    EXPECT_EQ(t.FlashReads(), GetParam().blocks);
    EXPECT_TRUE(std::equal(buffer.begin(), buffer.begin() + GetParam().size, t.flash().begin() + GetParam().address));
}

INSTANTIATE_TEST_SUITE_P(Sizes, FlashReadSplit,
                         testing::Values(SplitCase{0x1000, 4096, {{0x1000, 2048}, {0x1800, 2048}}},
                                         SplitCase{0x1000, 100, {{0x1000, 100}}},
                                         SplitCase{0x2000, 5000, {{0x2000, 2048}, {0x2800, 2048}, {0x3000, 904}}}));

TEST(FlashCommands, ShortBlockFailsTheReadNamingTheBlock)
{
    FlashLink t;
    t.AnswerReadsWith(2000);
    std::vector<uint8_t> buffer(8192);
    EXPECT_FALSE(t.link.ReadFlashData(0x1000, 4096, buffer.data()));
    EXPECT_EQ(t.reporter.LogLines().back(), "Data Read Fail. Address : 0x1000. Request Size : 0x800");
    EXPECT_EQ(t.FlashReads().size(), 1u);
}

TEST(FlashCommands, ReplyLongerThanAskedIsNotCopied)
{
    FlashLink t;
    t.AnswerReadsWith(200);
    std::vector<uint8_t> buffer(100, 0);
    uint32_t length = 0;
    EXPECT_FALSE(t.link.ReadFlashBlock(0x1000, 100, buffer.data(), length));
    EXPECT_EQ(std::count(buffer.begin(), buffer.end(), 0), 100);
    EXPECT_EQ(t.Count("Data Read Length Error. Recv : 0xc8. Request Size : 0x64"), 3);
    EXPECT_EQ(t.Count("Data Read Retry. Address : 0x1000. Request Size : 0x64"), 3);
}

TEST(FlashCommands, BusyBlockReadIsRetriedWithItsTexts)
{
    FlashLink t;
    t.Faults(FaultKind::Busy, kFlashRead, 1);
    std::vector<uint8_t> buffer(8192);
    uint32_t length = 0;
    ASSERT_TRUE(t.link.ReadFlashBlock(0x1000, 64, buffer.data(), length));
    EXPECT_EQ(length, 64u);
    EXPECT_EQ(t.Count("Serial Flash Busy. Model Data Read Try Again"), 1);
    EXPECT_EQ(t.Count("Data Read Retry. Address : 0x1000. Request Size : 0x40"), 1);
}

TEST(FlashCommands, UnansweredBlockReadWaitsTenSecondsPerAttempt)
{
    FlashLink t;
    t.Faults(FaultKind::NoReply, kFlashRead, 3);
    std::vector<uint8_t> buffer(8192);
    uint32_t length = 0;
    const int64_t start = t.clock.NowMs();
    EXPECT_FALSE(t.link.ReadFlashBlock(0x1000, 64, buffer.data(), length));
    EXPECT_GE(t.clock.NowMs() - start, 3 * 10'100);
    EXPECT_EQ(t.reporter.FailedCodes(), (std::vector<int>{100, 100, 100}));
}

struct BusyWrite {
    int busyAnswers;
    bool written;
};

class FlashWriteBusy : public testing::TestWithParam<BusyWrite> {};

TEST_P(FlashWriteBusy, EachBusyAnswerIsRetriedWithinThreeAttempts)
{
    FlashLink t;
    t.Faults(FaultKind::Busy, kFlashWrite, GetParam().busyAnswers);
    const std::vector<uint8_t> data(16, 0xA5);
    EXPECT_EQ(t.link.WriteFlashData(0x3000, data.size(), data.data()), GetParam().written);
    EXPECT_EQ(t.Count("Serial Flash Busy. Data Write Try Again"), std::min(GetParam().busyAnswers, 3));
    EXPECT_EQ(t.flash()[0x3000] == 0xA5, GetParam().written);
    if (!GetParam().written) {
        EXPECT_EQ(t.reporter.LogLines().back(), "Data Write Fail. Address : 0x3000. Request Size : 0x10");
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, FlashWriteBusy,
                         testing::Values(BusyWrite{0, true}, BusyWrite{2, true}, BusyWrite{3, false}));

TEST(FlashCommands, WriteRefusedWithNakFailsAtOnce)
{
    FlashLink t;
    t.Faults(FaultKind::Nak, kFlashWrite, 1);
    const uint8_t data[4] = {1, 2, 3, 4};
    EXPECT_FALSE(t.link.WriteFlashBlock(data, sizeof data));
    EXPECT_EQ(t.engine().RequestCount(), 1u);
    EXPECT_EQ(t.reporter.FailedCodes(), (std::vector<int>{2}));
}

TEST(FlashCommands, WriteOutsideTheFlashReportsTheAddress)
{
    FlashLink t;
    const std::vector<uint8_t> data(8, 0);
    EXPECT_FALSE(t.link.WriteFlashData(0x1FFFC, data.size(), data.data()));
    const auto events = t.reporter.Events();
    const auto failed = std::find_if(events.begin(), events.end(), [](const RecordingReporter::Event& event) {
        return event.kind == RecordingReporter::Event::FailedExchange;
    });
    ASSERT_NE(failed, events.end());
    EXPECT_EQ(failed->number, 3);
    EXPECT_EQ(failed->value, 0x1FFFCu);
}

TEST(FlashCommands, WriteDataSplitsIntoAddressedBlocks)
{
    FlashLink t;
    std::vector<uint8_t> data(4096 + 10);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i * 7);
    ASSERT_TRUE(t.link.WriteFlashData(0x4000, data.size(), data.data()));
    EXPECT_EQ(t.FlashWrites(),
              (std::vector<std::pair<uint32_t, size_t>>{{0x4000, 2048}, {0x4800, 2048}, {0x5000, 10}}));
    EXPECT_TRUE(std::equal(data.begin(), data.end(), t.flash().begin() + 0x4000));
}

struct SchemaAnswer {
    const char* name;
    FaultKind kind;
    int count;
    bool read;
    size_t requests;
};

class SchemaRead : public testing::TestWithParam<SchemaAnswer> {};

TEST_P(SchemaRead, AttemptsFollowTheReplyCode)
{
    FlashLink t;
    t.Faults(GetParam().kind, kSchemaRead, GetParam().count);
    DataSchema schema;
    EXPECT_EQ(t.link.ReadDataSchema(schema), GetParam().read);
    EXPECT_EQ(t.engine().RequestCount(), GetParam().requests);
    if (GetParam().read) {
        EXPECT_EQ(schema.modelCount, 30);
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, SchemaRead,
                         testing::Values(SchemaAnswer{"nak", FaultKind::Nak, 1, false, 1},
                                         SchemaAnswer{"busyThrice", FaultKind::Busy, 3, false, 3},
                                         SchemaAnswer{"busyTwice", FaultKind::Busy, 2, true, 3},
                                         SchemaAnswer{"badCrcOnce", FaultKind::CorruptCrc, 1, true, 2},
                                         SchemaAnswer{"noReply", FaultKind::NoReply, 1, false, 1}),
                         [](const auto& entry) { return std::string(entry.param.name); });

TEST(FlashCommands, BusySchemaReadLogsEachBusyAnswer)
{
    FlashLink t;
    t.Faults(FaultKind::Busy, kSchemaRead, 3);
    DataSchema schema;
    EXPECT_FALSE(t.link.ReadDataSchema(schema));
    EXPECT_EQ(t.Count("Serial Flash Busy. Model Data Read Try Again"), 3);
}

TEST(FlashCommands, SchemaReplyInUsbPacketsIsReadWhole)
{
    FlashLink t;
    t.engine().SetWireSpeed(true);
    DataSchema schema;
    ASSERT_TRUE(t.link.ReadDataSchema(schema));
    EXPECT_EQ(t.engine().RequestCount(), 1u);
    EXPECT_TRUE(t.reporter.LogLines().empty());
    EXPECT_EQ(schema.modelSectionSize[13], 22);
}

TEST(FlashCommands, SchemaOverTheFixedFormIsAFailedRead)
{
    FlashLink t;
    t.engine().On(sim::ControllerMode::Application, 5, kSchemaRead, [](const sim::Request&) {
        std::vector<uint8_t> payload(2000, 0);
        WriteLe16(payload.data(), 200);
        return sim::Reply{sim::kAckCode, payload};
    });
    DataSchema schema;
    EXPECT_FALSE(t.link.ReadDataSchema(schema));
    EXPECT_EQ(t.engine().RequestCount(), 1u);
    EXPECT_EQ(t.reporter.LogLines().back(),
              "Data Schema Size Error. Model Count:200, Common Sections:0, Model Sections:0, Model Size:0");
}

// Two schemas whose common sets lie apart: the block is the source's, the addresses the destination's.
struct SectionSchemas {
    DataSchema source;
    DataSchema destination;
    std::vector<uint8_t> block = std::vector<uint8_t>(kCommonSetBlockSize);

    SectionSchemas()
    {
        source.commonSectionCount = 2;
        source.commonSectionAddr = {0x100, 0x120};
        source.commonSectionSize = {0x20, 0x10};
        destination = source;
        destination.commonSectionAddr = {0x3000, 0x3400};
        for (size_t i = 0; i < block.size(); ++i)
            block[i] = static_cast<uint8_t>(i);
    }
};

TEST(SectionWriters, CommonSetSectionsMoveFromTheBlockToTheDestinationAddresses)
{
    FlashLink t;
    SectionSchemas s;
    ASSERT_TRUE(t.link.WriteCommonSet(s.source, s.destination, s.block.data()));
    EXPECT_EQ(t.FlashWrites(), (std::vector<std::pair<uint32_t, size_t>>{{0x3000, 0x20}, {0x3400, 0x10}}));
    EXPECT_TRUE(std::equal(s.block.begin(), s.block.begin() + 0x20, t.flash().begin() + 0x3000));
    EXPECT_TRUE(std::equal(s.block.begin() + 0x20, s.block.begin() + 0x30, t.flash().begin() + 0x3400));
}

TEST(SectionWriters, DestinationWithFewerSectionsIsRefusedBeforeWriting)
{
    FlashLink t;
    SectionSchemas s;
    s.destination.commonSectionCount = 1;
    EXPECT_FALSE(t.link.WriteCommonSet(s.source, s.destination, s.block.data()));
    EXPECT_TRUE(t.FlashWrites().empty());
    EXPECT_EQ(t.reporter.LogLines().back(), "Common Set Section Count Mismatch. File:2, Controller:1");
}

TEST(SectionWriters, SectionReachingPastTheBlockIsRefused)
{
    FlashLink t;
    SectionSchemas s;
    s.source.commonSectionAddr[1] = 0x100 + 4090;
    EXPECT_FALSE(t.link.WriteCommonSet(s.source, s.destination, s.block.data()));
    EXPECT_EQ(t.reporter.LogLines().back(), "Common Set Section Range Error. Seq:#1");
    EXPECT_EQ(t.FlashWrites().size(), 1u);
}

TEST(SectionWriters, FailedSectionNamesItsNumber)
{
    FlashLink t;
    SectionSchemas s;
    t.AddFault(FaultKind::Nak, 5, kFlashWrite, 1, 2);
    EXPECT_FALSE(t.link.WriteCommonSet(s.source, s.destination, s.block.data()));
    EXPECT_EQ(t.reporter.LogLines().back(), "Common Set Write Fail. Seq:#1");
}

TEST(SectionWriters, ModelSectionsGoToTheDestinationOffsets)
{
    FlashLink t;
    DataSchema source;
    source.modelSectionCount = 2;
    source.modelSectionOffset = {0, 100};
    source.modelSectionSize = {10, 20};
    DataSchema destination = source;
    destination.modelSectionOffset = {0, 102};
    std::vector<uint8_t> record(kModelRecordSize, 0x11);
    ASSERT_TRUE(t.link.WriteModelRecord(source, destination, 0x6000, record.data(), 3));
    EXPECT_EQ(t.FlashWrites(), (std::vector<std::pair<uint32_t, size_t>>{{0x6000, 10}, {0x6000 + 102, 20}}));

    source.modelSectionSize[1] = 8100;
    EXPECT_FALSE(t.link.WriteModelRecord(source, destination, 0x6000, record.data(), 3));
    EXPECT_EQ(t.reporter.LogLines().back(), "Model Info Section Range Error. Index:#3, Seq:#1");
}

TEST(HeaderCommands, UsedModelsAreTheHelicoptersAndFixedWings)
{
    FlashLink t;
    sim::SetModelListEntry(t.engine().state(), 0, 0, "A");
    sim::SetModelListEntry(t.engine().state(), 1, 255, "");
    sim::SetModelListEntry(t.engine().state(), 2, 1, "C");
    sim::SetModelListEntry(t.engine().state(), 3, 2, "D");
    sim::SetModelListEntry(t.engine().state(), 4, 255, "");
    MenuFileHeader header;
    ASSERT_TRUE(t.link.BuildFileHeader(header));
    EXPECT_EQ(t.link.groupId, kGroupApplication) << "the schema read leaves the group as it was";
    EXPECT_EQ(header.usedModelCount, 2);
    EXPECT_EQ(header.usedModelIndex[0], 0);
    EXPECT_EQ(header.usedModelIndex[1], 2);
    EXPECT_EQ(header.appPCode, 16003300u);
    EXPECT_EQ(header.memVer, 1001u);
    EXPECT_EQ(std::string(header.productName.begin(), header.productName.begin() + 5), "KT-40");
}

TEST(HeaderCommands, FailedProductReadNamesTheStep)
{
    FlashLink t;
    t.AddFault(FaultKind::NoReply, 0, 0x11, 3);
    MenuFileHeader header;
    EXPECT_FALSE(t.link.BuildFileHeader(header));
    EXPECT_EQ(t.reporter.LogLines().back(), "Product Info Read Fail");
}

TEST(HeaderCommands, ModelListNamesAreTrimmed)
{
    FlashLink t;
    sim::SetModelListEntry(t.engine().state(), 9, 1, "   X     ");
    const DataSchema schema = sim::ModelMemorySchema(t.engine().state());
    ModelList list;
    ASSERT_TRUE(
        t.link.ReadModelList(schema.commonSectionAddr[4], schema.commonSectionSize[4], schema.modelCount, list));
    ASSERT_EQ(list.names.size(), 30u);
    EXPECT_EQ(list.names[0], "ALPHA");
    EXPECT_EQ(list.names[2], "TREX 450");
    EXPECT_EQ(list.names[9], "X");
    EXPECT_EQ(list.types[9], 1);
    EXPECT_EQ(list.names[3], "");
}

}  // namespace
}  // namespace skarnel::test
