#include "base/byte_order.h"
#include "model/data_schema.h"
#include "sim/model_memory.h"
#include "tests/model/model_test_support.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace skarnel::test {
namespace {

struct SchemaCase {
    uint32_t product;
    uint32_t version;
    int models;
    int section10Size;
};

class SimulatedSchema : public testing::TestWithParam<SchemaCase> {};

TEST_P(SimulatedSchema, FollowsProductAndMemoryVersion)
{
    ModelLink t(GetParam().product, GetParam().version);
    DataSchema schema;
    ASSERT_TRUE(t.link.ReadDataSchema(schema));
    EXPECT_EQ(schema.modelCount, GetParam().models);
    EXPECT_EQ(schema.commonSectionCount, 6);
    EXPECT_EQ(schema.commonSectionSize[4], GetParam().models * 10);
    EXPECT_EQ(schema.modelSize, 0x1000);
    EXPECT_EQ(schema.modelSectionCount, 14);
    EXPECT_EQ(schema.modelSectionOffset[10], 360);
    EXPECT_EQ(schema.modelSectionSize[10], GetParam().section10Size);
    EXPECT_EQ(schema.modelType[0], kModelHelicopter);
    EXPECT_EQ(schema.modelType[1], kModelFixedWing);
    EXPECT_EQ(schema.modelType[3], kModelEmpty);
}

INSTANTIATE_TEST_SUITE_P(Products, SimulatedSchema,
                         testing::Values(SchemaCase{16003300, 1000, 30, 62}, SchemaCase{16003300, 1001, 30, 64},
                                         SchemaCase{16003600, 1000, 15, 62}, SchemaCase{3001, 1001, 30, 64}));

TEST(SimulatedModelMemory, ReadOutsideTheFlashReportsTheAddress)
{
    ModelLink t;
    std::vector<uint8_t> buffer(2048);
    uint32_t length = 0;
    EXPECT_FALSE(t.link.ReadFlashBlock(sim::kModelFlashSize - 16, 32, buffer.data(), length));
    EXPECT_EQ(t.reporter.FailedCodes(), (std::vector<int>{3, 3, 3}));
}

TEST(SimulatedModelMemory, KeepsItsFlashAcrossARestart)
{
    ModelLink t;
    t.flash()[0x2000] = 0x42;
    ASSERT_TRUE(t.link.RequestRestart());
    t.link.Sleep(1000);
    t.port->InputQueueCount();
    EXPECT_EQ(t.engine().state().mode, sim::ControllerMode::BootLoader);
    EXPECT_EQ(t.flash()[0x2000], 0x42);
}

TEST(SimulatedModelMemory, StateFileKeepsTheFlashBetweenRuns)
{
    TempFolder folder;
    sim::ModelMemory memory;
    memory.stateFile = folder.Root() / sim::kModelFlashFileName;
    memory.flash.assign(sim::kModelFlashSize, 0x5A);
    sim::SaveModelMemory(memory);

    sim::ModelMemory loaded;
    loaded.stateFile = memory.stateFile;
    std::string error;
    ASSERT_TRUE(sim::LoadModelMemory(loaded, error)) << error;
    EXPECT_EQ(loaded.flash, memory.flash);

    WriteFileBytes(memory.stateFile, {1, 2, 3});
    EXPECT_FALSE(sim::LoadModelMemory(loaded, error));
    EXPECT_NE(error.find("does not hold a model flash image"), std::string::npos);
}

TEST(SimulatedModelMemory, MissingStateFileLeavesTheFlashToBeSeeded)
{
    TempFolder folder;
    sim::ModelMemory memory;
    memory.stateFile = folder.Root() / sim::kModelFlashFileName;
    std::string error;
    ASSERT_TRUE(sim::LoadModelMemory(memory, error));
    EXPECT_TRUE(memory.flash.empty());
}

}  // namespace
}  // namespace skarnel::test
