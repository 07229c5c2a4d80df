#include "base/byte_order.h"
#include "link/frame.h"
#include "model/model_files.h"
#include "model/model_procedures.h"
#include "tests/model/model_test_support.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace skarnel::test {
namespace {

using sim::FaultKind;

constexpr uint32_t kKt40 = 16003300;
constexpr uint32_t kCommonBase = 0x1000;
constexpr uint32_t kModelBase = 0x2000;
constexpr uint32_t kModelSize = 0x1000;
constexpr uint32_t kModelListAddress = 0x1200;

struct ProcedureLink : ModelLink {
    explicit ProcedureLink(uint32_t memoryVersion = 1001) : ModelLink(kKt40, memoryVersion) {}

    bool Logged(const std::string& line) const
    {
        const auto lines = reporter.LogLines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    void SetTypes(const std::vector<uint8_t>& types)
    {
        for (size_t k = 0; k < types.size(); ++k)
            flash()[kModelListAddress + k] = types[k];
    }
    std::vector<uint8_t> Flash(uint32_t address, size_t size)
    {
        return {flash().begin() + address, flash().begin() + address + static_cast<std::ptrdiff_t>(size)};
    }
    // What a restore must bring back: the common-set block and the used models.
    std::vector<uint8_t> Memory()
    {
        std::vector<uint8_t> memory = Flash(kCommonBase, kCommonSetBlockSize);
        for (uint32_t n : {0u, 1u, 2u, 4u}) {
            const auto model = Flash(kModelBase + n * kModelSize, kModelSize);
            memory.insert(memory.end(), model.begin(), model.end());
        }
        return memory;
    }
    // Changes sections of the common set and of the models; a section-wise restore leaves the gaps alone.
    void Scramble()
    {
        std::fill(flash().begin() + kCommonBase, flash().begin() + kCommonBase + 0x40, 0x00);
        std::fill(flash().begin() + kCommonBase + 0x100, flash().begin() + kCommonBase + 0x120, 0x00);
        for (uint32_t n = 0; n < 5; ++n)
            std::fill_n(flash().begin() + kModelBase + n * kModelSize, 0x100, 0x33);
        SetTypes({0, 1, 0, 255, 1});
    }
};

void EditHeader(const std::filesystem::path& path, const std::function<void(MenuFileHeader&)>& edit)
{
    std::vector<uint8_t> bytes = ReadFileBytes(path);
    MenuFileHeader header = MenuFileHeader::Decode(RecordAt<MenuFileHeader::kSize>(bytes, 0));
    edit(header);
    const auto encoded = header.Encode();
    std::copy(encoded.begin(), encoded.end(), bytes.begin());
    WriteFileBytes(path, bytes);
}

TEST(BackupModelFiles, WritesOneFilePerUsedModelAndListsEveryMemory)
{
    ProcedureLink t;
    TempFolder folder;
    RecordingLists lists;
    ASSERT_TRUE(BackupModelFiles(t.link, folder.Root(), lists));
    ASSERT_EQ(lists.controllerModels.size(), 30u);
    EXPECT_EQ(lists.controllerModels[0], "HELI - ALPHA");
    EXPECT_EQ(lists.controllerModels[1], "ACRO - CUB");
    EXPECT_EQ(lists.controllerModels[3], "None");
    const std::vector<std::string> expected{
        (folder.Root() / "hALPHA01.mdl").string(), (folder.Root() / "aCUB02.mdl").string(),
        (folder.Root() / "hTREX 45003.mdl").string(), (folder.Root() / "aEXTRA 33005.mdl").string()};
    EXPECT_EQ(lists.pcFiles, expected);
    const std::vector<uint8_t> file = ReadFileBytes(expected[1]);
    ASSERT_EQ(file.size(), 4096u + kModelSize);
    EXPECT_EQ(ReadLe32(file.data()), kKt40);
    EXPECT_EQ(ReadLe32(file.data() + 8), 1001u);
    EXPECT_TRUE(std::equal(file.begin() + 4096, file.end(), t.flash().begin() + kModelBase + kModelSize));
    EXPECT_TRUE(t.Logged("Model Data Read. Ok  #5"));
    EXPECT_FALSE(t.engine().state().display.on);
}

TEST(BackupModelFiles, ControllerWithoutModelsWritesNoFile)
{
    ProcedureLink t;
    t.SetTypes(std::vector<uint8_t>(30, 255));
    TempFolder folder;
    RecordingLists lists;
    ASSERT_TRUE(BackupModelFiles(t.link, folder.Root(), lists));
    EXPECT_EQ(lists.controllerModels, std::vector<std::string>(30, "None"));
    EXPECT_TRUE(lists.pcFiles.empty());
    EXPECT_TRUE(std::filesystem::is_empty(folder.Root()));
}

TEST(BackupModelFiles, UnknownTypeIsBackedUpAndShownWithItsNumber)
{
    ProcedureLink t;
    t.SetTypes({0, 2});
    TempFolder folder;
    RecordingLists lists;
    ASSERT_TRUE(BackupModelFiles(t.link, folder.Root(), lists));
    EXPECT_EQ(lists.controllerModels[1], "Unknown Type 2 - CUB");
    EXPECT_EQ(lists.pcFiles[1], (folder.Root() / "aCUB02.mdl").string());
}

TEST(BackupModelFiles, FailedModelReadEndsTheBackupNamingTheModel)
{
    ProcedureLink t;
    t.AddFault(FaultKind::NoReply, 5, 0x33, 3, 3);  // the model list takes one read, model 1 two
    TempFolder folder;
    RecordingLists lists;
    EXPECT_FALSE(BackupModelFiles(t.link, folder.Root(), lists));
    EXPECT_EQ(t.reporter.LogLines().back(), "Model Data Read Fail. Index:#1");
    EXPECT_TRUE(lists.pcFiles.empty());
}

TEST(BackupModelFiles, FailedModelListReadEndsTheBackupBeforeAnyFileIsNamed)
{
    ProcedureLink t;
    t.AddFault(FaultKind::NoReply, 5, 0x33, 3);
    TempFolder folder;
    RecordingLists lists;
    EXPECT_FALSE(BackupModelFiles(t.link, folder.Root(), lists));
    EXPECT_EQ(t.reporter.LogLines().back(), "Model Info Read Fail");
    EXPECT_TRUE(lists.pcFiles.empty());
    EXPECT_TRUE(std::filesystem::is_empty(folder.Root()));
}

TEST(BackupModelFiles, BannerThatCannotBeShownEndsTheBackup)
{
    ProcedureLink t;
    t.AddFault(FaultKind::Nak, 0, 0x23, 3);
    TempFolder folder;
    RecordingLists lists;
    EXPECT_FALSE(BackupModelFiles(t.link, folder.Root(), lists));
    EXPECT_EQ(t.reporter.LogLines().back(), "LCD Display Data Send Fail");
}

struct SystemBackupSize {
    std::vector<uint8_t> types;
    size_t fileSize;
    int used;
};

class SystemBackupSizes : public testing::TestWithParam<SystemBackupSize> {};

TEST_P(SystemBackupSizes, FileHoldsHeaderBlockAndOneRecordPerListedModel)
{
    ProcedureLink t;
    t.SetTypes(GetParam().types);
    TempFolder folder;
    const auto path = folder.Root() / "Menu_Backup.mif";
    ASSERT_TRUE(BackupSystemData(t.link, path));
    const std::vector<uint8_t> file = ReadFileBytes(path);
    ASSERT_EQ(file.size(), GetParam().fileSize);
    const MenuFileHeader header = MenuFileHeader::Decode(RecordAt<MenuFileHeader::kSize>(file, 0));
    EXPECT_EQ(header.usedModelCount, GetParam().used);
    EXPECT_TRUE(std::equal(file.begin() + 1024, file.begin() + 5120, t.flash().begin() + kCommonBase));
    for (int k = 0; k < header.usedModelCount; ++k)
        EXPECT_EQ(file[5120 + 8192 * k + 8191], header.usedModelIndex[k]);
}

INSTANTIATE_TEST_SUITE_P(Controllers, SystemBackupSizes,
                         testing::Values(SystemBackupSize{std::vector<uint8_t>(30, 255), 5120, 0},
                                         SystemBackupSize{{0, 1, 0, 255, 255}, 29696, 3},
                                         // A memory of an unknown type is neither listed nor written.
                                         SystemBackupSize{{0, 2, 1, 255, 255}, 5120 + 2 * 8192, 2}));

TEST(BackupSystemData, FailedBackupLeavesThePreviousFileInPlace)
{
    ProcedureLink t;
    TempFolder folder;
    const auto path = folder.Root() / "Menu_Backup.mif";
    WriteFileBytes(path, {1, 2, 3});
    t.AddFault(FaultKind::NoReply, 5, 0x33, 3);
    EXPECT_FALSE(BackupSystemData(t.link, path));
    EXPECT_EQ(t.reporter.LogLines().back(), "Common Set Data Read Fail");
    EXPECT_EQ(ReadFileBytes(path), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Root()), {}), 1);
}

TEST(BackupSystemData, UnwritableFileIsReportedBeforeReading)
{
    ProcedureLink t;
    EXPECT_FALSE(BackupSystemData(t.link, "/nonexistent/folder/Menu_Backup.mif"));
    EXPECT_EQ(t.reporter.LogLines().back(), "Backup File Create Fail");
}

using Restore = bool (*)(CDownload_Function&, const std::filesystem::path&);

struct RestoreCase {
    const char* name;
    Restore restore;
};

// Each restore of a system backup the controller has just made.
class BothRestores : public testing::TestWithParam<RestoreCase> {
protected:
    void SetUp() override { ASSERT_TRUE(BackupSystemData(t.link, path)); }
    bool Restore() { return GetParam().restore(t.link, path); }

    ProcedureLink t;
    TempFolder folder;
    std::filesystem::path path = folder.Root() / "menu.mif";
};

TEST_P(BothRestores, BringTheSavedMemoryBackByteForByte)
{
    const std::vector<uint8_t> saved = t.Memory();
    t.Scramble();
    ASSERT_NE(t.Memory(), saved);
    t.reporter.Clear();
    ASSERT_TRUE(Restore()) << t.reporter.LogLines().back();
    EXPECT_EQ(t.Memory(), saved);
    EXPECT_TRUE(t.Logged("Common Set Write Success"));
    EXPECT_TRUE(t.Logged("Model Info Write Start. Model Index:#5"));
    EXPECT_EQ(t.engine().RequestLog().back().code, 0x20);  // restarted
}

TEST_P(BothRestores, RefuseAnotherProductsFileBeforeWriting)
{
    EditHeader(path, [](MenuFileHeader& header) { header.appPCode = 16003600; });
    const size_t writes = t.FlashWrites().size();
    EXPECT_FALSE(Restore());
    EXPECT_EQ(t.reporter.LogLines().back(), "Product Code Mismatch. Charger: 16003300   File: 16003600");
    EXPECT_EQ(t.FlashWrites().size(), writes);
}

TEST_P(BothRestores, RefuseAModelTheControllerDoesNotHaveBeforeWriting)
{
    EditHeader(path, [](MenuFileHeader& header) {
        header.schema.modelCount = 50;
        header.usedModelIndex[1] = 40;
    });
    const size_t writes = t.FlashWrites().size();
    EXPECT_FALSE(Restore());
    EXPECT_EQ(t.reporter.LogLines().back(), "Model Info Index Out Of Range. Model Index:#40");
    EXPECT_EQ(t.FlashWrites().size(), writes);
}

TEST_P(BothRestores, StopAtAMismatchedRecordAfterTheCommonSet)
{
    std::vector<uint8_t> bytes = ReadFileBytes(path);
    bytes[5120 + 8192 + 8191] = 3;  // the second record claims model 3, the header lists model 1
    WriteFileBytes(path, bytes);
    EXPECT_FALSE(Restore());
    EXPECT_TRUE(t.Logged("Common Set Write Success"));
    EXPECT_TRUE(t.Logged("Model Info Write Start. Model Index:#1"));
    EXPECT_EQ(t.reporter.LogLines().back(), "Model Info Index Number Mismatch. Model Index:#1");
}

TEST_P(BothRestores, ShortFileEndsAtTheMissingRecord)
{
    std::vector<uint8_t> bytes = ReadFileBytes(path);
    bytes.resize(bytes.size() - 1);
    WriteFileBytes(path, bytes);
    EXPECT_FALSE(Restore());
    EXPECT_EQ(t.reporter.LogLines().back(), "Model Info Read Fail. Model Index:#4");
}

TEST_P(BothRestores, RetryTheCommonSetThreeTimes)
{
    t.reporter.Clear();
    t.AddFault(FaultKind::Nak, 5, 0x34, 1000);
    EXPECT_FALSE(Restore());
    const auto lines = t.reporter.LogLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Common Set Write Retry"), 3);
    EXPECT_EQ(lines.back(), "Common Set Write Fail");
}

INSTANTIATE_TEST_SUITE_P(Restores, BothRestores,
                         testing::Values(RestoreCase{"RestoreMenuFile", RestoreMenuFile},
                                         RestoreCase{"RestoreSystemData", RestoreSystemData}),
                         [](const auto& entry) { return std::string(entry.param.name); });

TEST(RestoreSystemData, Version1000FileGetsItsCommonSetFixedUp)
{
    ProcedureLink t(1000);
    TempFolder folder;
    const auto path = folder.Root() / "menu.mif";
    ASSERT_TRUE(BackupSystemData(t.link, path));
    EXPECT_EQ(t.flash()[0x1080], 4);
    t.engine().state().product.memoryVersion = 1001;  // the new firmware
    ASSERT_TRUE(RestoreSystemData(t.link, path));
    const uint8_t value = 5;
    const uint16_t crc = ComputeCrc16(&value, 1);
    EXPECT_EQ(t.Flash(0x1080, 3), (std::vector<uint8_t>{5, static_cast<uint8_t>(crc), static_cast<uint8_t>(crc >> 8)}));
}

TEST(RestoreSystemData, Version1001FileKeepsItsCommonSet)
{
    ProcedureLink t(1001);
    TempFolder folder;
    const auto path = folder.Root() / "menu.mif";
    t.flash()[0x1080] = 7;
    ASSERT_TRUE(BackupSystemData(t.link, path));
    t.flash()[0x1080] = 0;
    ASSERT_TRUE(RestoreSystemData(t.link, path));
    EXPECT_EQ(t.flash()[0x1080], 7);
}

TEST(RestoreSystemData, ModelsAreConvertedToTheNewMemoryVersion)
{
    ProcedureLink t(1000);
    TempFolder folder;
    const auto path = folder.Root() / "menu.mif";
    ASSERT_TRUE(BackupSystemData(t.link, path));
    const std::vector<uint8_t> before = t.Flash(kModelBase, kModelSize);
    t.engine().state().product.memoryVersion = 1001;
    ASSERT_TRUE(RestoreSystemData(t.link, path));
    const std::vector<uint8_t> after = t.Flash(kModelBase, kModelSize);
    EXPECT_TRUE(std::equal(before.begin(), before.begin() + 420, after.begin()));
    EXPECT_EQ(after[420], 0xFF);
    EXPECT_EQ(after[421], 0xFF);
    EXPECT_TRUE(std::equal(before.begin() + 422, before.begin() + 430, after.begin() + 424));
    EXPECT_EQ(ReadLe16(after.data() + 495), ComputeCrc16(after.data() + 475, 20));
}

TEST(RestoreSystemData, ModelWithoutATableIsAConversionFailure)
{
    ModelLink t(3001, 1001);
    TempFolder folder;
    const auto path = folder.Root() / "menu.mif";
    ASSERT_TRUE(BackupSystemData(t.link, path));
    EXPECT_FALSE(RestoreSystemData(t.link, path));
    EXPECT_EQ(t.reporter.LogLines().back(), "Model Info Conversion Fail. Model Index:#1");
}

// A backup whose schema places models 0x800 apart at 0x9000; the controller's are 0x1000 apart at 0x2000.
class RestoreAddresses : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(BackupSystemData(t.link, path));
        EditHeader(path, [](MenuFileHeader& header) {
            header.schema.modelSize = 0x800;
            header.schema.modelBase = 0x9000;
        });
        before = t.FlashWrites().size();
    }
    // The flash writes of the restore.
    std::vector<std::pair<uint32_t, size_t>> RestoreWrites() const
    {
        const auto all = t.FlashWrites();
        return {all.begin() + static_cast<std::ptrdiff_t>(before), all.end()};
    }

    ProcedureLink t;
    TempFolder folder;
    std::filesystem::path path = folder.Root() / "menu.mif";
    size_t before = 0;
};

TEST_F(RestoreAddresses, SystemRestoreUsesTheControllersBaseAndTheFilesModelSize)
{
    ASSERT_TRUE(RestoreSystemData(t.link, path));
    const std::vector<std::pair<uint32_t, size_t>> expected{{0x1000, 2048},  {0x1800, 2048},  {0x2000, 0x800},
                                                            {0x2800, 0x800}, {0x3000, 0x800}, {0x4000, 0x800}};
    EXPECT_EQ(RestoreWrites(), expected);
}

TEST_F(RestoreAddresses, MenuRestoreUsesTheControllersBaseAndModelSize)
{
    ASSERT_TRUE(RestoreMenuFile(t.link, path));
    std::vector<uint32_t> modelStarts;
    for (const auto& [address, size] : RestoreWrites())
        if (address >= kModelBase && (address - kModelBase) % kModelSize == 0)
            modelStarts.push_back(address);
    EXPECT_EQ(modelStarts, (std::vector<uint32_t>{0x2000, 0x3000, 0x4000, 0x6000}));
}

// A procedure called from another job (the firmware upgrade, in the boot loader's group) talks
// to the application and the model memory in their own groups and hands the caller's group back.
TEST(ModelProcedures, WorkInTheirOwnGroupsAndLeaveTheCallersGroup)
{
    ProcedureLink t;
    TempFolder folder;
    const std::filesystem::path path = folder.Root() / "menu.mif";
    t.engine().KeepRequestLog(true);
    t.link.groupId = kGroupBootLoader;
    ASSERT_TRUE(BackupSystemData(t.link, path));
    EXPECT_EQ(t.link.groupId, kGroupBootLoader);
    ASSERT_TRUE(RestoreMenuFile(t.link, path));
    EXPECT_EQ(t.link.groupId, kGroupBootLoader);
    for (const sim::Request& request : t.engine().RequestLog()) {
        const bool modelData = request.code >= 0x32 && request.code <= 0x34 && request.group == kGroupModelData;
        EXPECT_TRUE(modelData || request.group == kGroupApplication || request.group == kGroupRfProcess)
            << "code " << int{request.code} << " in group " << int{request.group};
    }
}

TEST(ListControllerModels, ListsEveryMemoryAfterItsLogLines)
{
    ProcedureLink t;
    RecordingLists lists;
    ASSERT_TRUE(ListControllerModels(t.link, lists));
    ASSERT_EQ(lists.controllerModels.size(), 30u);
    EXPECT_EQ(lists.controllerModels[2], "HELI - TREX 450");
    EXPECT_EQ(lists.controllerModels[4], "ACRO - EXTRA 330");
    const auto lines = t.reporter.LogLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "Model List Read Success");
    EXPECT_EQ(lines.back(), "Model Info Read/Write Process Stop");
    EXPECT_FALSE(t.engine().state().display.on);  // no banner for the list
}

TEST(ListControllerModels, FailedHeaderListsNothing)
{
    ProcedureLink t;
    t.AddFault(FaultKind::Nak, 5, 0x32, 1);
    RecordingLists lists;
    EXPECT_FALSE(ListControllerModels(t.link, lists));
    EXPECT_TRUE(lists.controllerModels.empty());
    EXPECT_EQ(t.reporter.LogLines().back(), "Data Schema Read Fail");
}

}  // namespace
}  // namespace skarnel::test
