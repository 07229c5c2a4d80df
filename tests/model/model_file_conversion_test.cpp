#include "base/byte_order.h"
#include "model/model_file_conversion.h"
#include "model/model_files.h"
#include "tests/model/model_test_support.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace skarnel::test {
namespace {

constexpr uint32_t kKt40 = 16003300;
constexpr uint32_t kKt20 = 16003600;

struct ConversionBench {
    TempFolder sources;
    TempFolder targets;
    RecordingReporter reporter;
    std::vector<ModelFileOutcome::Result> results;

    // A .mdl of the simulated controller's model index, with another header when asked.
    std::filesystem::path Source(const std::string& name, uint32_t product, uint32_t version, int index = 0)
    {
        ModelLink t(kKt40, 1000);
        const uint8_t* model = t.flash().data() + 0x2000 + 0x1000 * index;
        const auto path = sources.Root() / name;
        WriteFileBytes(path, ModelFileBytes({product, 105, version}, model, 0x1000));
        return path;
    }
    ModelFileSource Chosen(const std::filesystem::path& path)
    {
        ModelFileSource source;
        EXPECT_EQ(ReadModelFileSource(path, reporter, source), SourceCheck::Accepted);
        return source;
    }
    bool Run(const std::vector<ModelFileSource>& chosen, ConversionTarget target)
    {
        return ConvertModelFiles(chosen, target, targets.Root(), reporter,
                                 [this](const ModelFileOutcome& outcome) { results.push_back(outcome.result); });
    }
};

using Result = ModelFileOutcome::Result;

TEST(ModelFileConversion, ConvertedFileKeepsItsNameAndGetsTheTargetHeader)
{
    ConversionBench bench;
    const ModelFileSource source = bench.Chosen(bench.Source("hALPHA01.mdl", kKt40, 1000));
    EXPECT_EQ(source.name, "hALPHA01.mdl");
    EXPECT_EQ(source.memoryVersion, 1000u);
    ASSERT_TRUE(bench.Run({source}, {kKt40, 1001}));
    EXPECT_EQ(bench.results, std::vector<Result>{Result::Converted});
    const std::vector<uint8_t> file = ReadFileBytes(bench.targets.Root() / "hALPHA01.mdl");
    ASSERT_EQ(file.size(), 8192u);
    EXPECT_EQ(ReadLe32(file.data()), kKt40);
    EXPECT_EQ(ReadLe32(file.data() + 4), 0u);
    EXPECT_EQ(ReadLe32(file.data() + 8), 1001u);
    EXPECT_EQ(file[12], 0xFF);
    EXPECT_TRUE(bench.reporter.Messages().empty());
}

TEST(ModelFileConversion, SameVersionIsSkippedWithItsMessage)
{
    ConversionBench bench;
    const ModelFileSource source = bench.Chosen(bench.Source("a.mdl", kKt40, 1000));
    ASSERT_TRUE(bench.Run({source}, {kKt40, 1000}));
    EXPECT_EQ(bench.results, std::vector<Result>{Result::SameVersion});
    EXPECT_EQ(
        bench.reporter.Messages(),
        std::vector<std::string>{"Same Version - a.mdl   \r\n\r\n Product ID : 16003300  Version : 1000 \r\n File "
                                 "      ID : 16003300  Version : 1000 \r\n\r\n --Skip|Skarnel"});
    EXPECT_TRUE(std::filesystem::is_empty(bench.targets.Root()));
}

TEST(ModelFileConversion, KT40ModelThatDoesNotFitTheKT20IsSkippedSilently)
{
    ConversionBench bench;
    // Model 4 of the simulated controller has two ailerons, ailevators and no flap servo.
    const ModelFileSource fits = bench.Chosen(bench.Source("aCUB02.mdl", kKt40, 1000, 1));
    const ModelFileSource wide = bench.Chosen(bench.Source("aEXTRA05.mdl", kKt40, 1000, 4));
    ASSERT_TRUE(bench.Run({wide, fits}, {kKt20, 1001}));
    EXPECT_EQ(bench.results, (std::vector<Result>{Result::DoesNotFitKt20, Result::Converted}));
    EXPECT_TRUE(bench.reporter.Messages().empty());
    EXPECT_FALSE(std::filesystem::exists(bench.targets.Root() / "aEXTRA05.mdl"));
}

TEST(ModelFileConversion, SourceWithoutATableIsSkippedWithItsMessage)
{
    ConversionBench bench;
    const ModelFileSource old = bench.Chosen(bench.Source("old.mdl", kKt40, 999));
    const ModelFileSource good = bench.Chosen(bench.Source("good.mdl", kKt40, 1001));
    ASSERT_TRUE(bench.Run({old, good}, {kKt20, 1000}));
    EXPECT_EQ(bench.results, (std::vector<Result>{Result::NoTable, Result::Converted}));
    EXPECT_EQ(
        bench.reporter.Messages(),
        std::vector<std::string>{"Model conversion info does not exist...  \r\n \r\nold.mdl \r\n \r\nProduct ID : "
                                 "16003300  Version : 999  |Skarnel"});
}

TEST(ModelFileConversion, FileLongerThanTheInputBufferIsRefused)
{
    ConversionBench bench;
    const auto path = bench.Source("long.mdl", kKt40, 1000);
    std::vector<uint8_t> bytes = ReadFileBytes(path);
    bytes.resize(16385, 0xFF);
    WriteFileBytes(path, bytes);
    ASSERT_TRUE(bench.Run({bench.Chosen(path)}, {kKt40, 1001}));
    EXPECT_EQ(bench.results, std::vector<Result>{Result::Refused});
    EXPECT_EQ(bench.reporter.Messages(), std::vector<std::string>{"File Size Error : long.mdl|Skarnel"});
}

TEST(ModelFileConversion, VanishedSourceEndsTheConversionKeepingEarlierFiles)
{
    ConversionBench bench;
    const ModelFileSource first = bench.Chosen(bench.Source("first.mdl", kKt40, 1000));
    const ModelFileSource gone = bench.Chosen(bench.Source("gone.mdl", kKt40, 1000));
    const ModelFileSource last = bench.Chosen(bench.Source("last.mdl", kKt40, 1000));
    std::filesystem::remove(gone.path);
    EXPECT_FALSE(bench.Run({first, gone, last}, {kKt40, 1001}));
    EXPECT_EQ(bench.results, (std::vector<Result>{Result::Converted, Result::Refused}));
    EXPECT_EQ(bench.reporter.Messages(), std::vector<std::string>{"File Open Fail|Skarnel"});
    EXPECT_TRUE(std::filesystem::exists(bench.targets.Root() / "first.mdl"));
}

TEST(ModelFileConversion, TargetThatCannotBeCreatedEndsTheConversion)
{
    ConversionBench bench;
    const ModelFileSource source = bench.Chosen(bench.Source("a.mdl", kKt40, 1000));
    EXPECT_FALSE(ConvertModelFiles({source, source}, {kKt40, 1001}, bench.targets.Root() / "missing", bench.reporter,
                                   [&](const ModelFileOutcome& outcome) { bench.results.push_back(outcome.result); }));
    EXPECT_EQ(bench.results, std::vector<Result>{Result::Refused});
    EXPECT_EQ(bench.reporter.Messages(), std::vector<std::string>{"File Create Fail|Skarnel"});
}

TEST(ModelFileSelection, UnknownProductIsRefusedAndAMissingFileEndsTheChoice)
{
    ConversionBench bench;
    ModelFileSource source;
    EXPECT_EQ(ReadModelFileSource(bench.Source("x.mdl", 3001, 1000), bench.reporter, source), SourceCheck::Refused);
    EXPECT_EQ(bench.reporter.Messages(), std::vector<std::string>{"File Error : x.mdl|Skarnel"});
    EXPECT_EQ(ReadModelFileSource(bench.sources.Root() / "none.mdl", bench.reporter, source), SourceCheck::OpenFailed);
}

TEST(ModelFileConversion, ControllerWithoutATableIsRefusedWithItsMessage)
{
    RecordingReporter reporter;
    EXPECT_TRUE(CheckConversionTarget({kKt20, 1001}, reporter));
    EXPECT_FALSE(CheckConversionTarget({3001, 1000}, reporter));
    EXPECT_EQ(
        reporter.Messages(),
        std::vector<std::string>{"Model conversion info does not exist...  \r\n \r\nController \r\n \r\nProduct ID "
                                 ": 3001  Version : 1000  |Skarnel"});
}

TEST(ModelProducts, NamesAndCodes)
{
    EXPECT_EQ(ProductShownName(kKt40), "KT40");
    EXPECT_EQ(ProductShownName(kKt20), "KT20");
    EXPECT_EQ(ProductShownName(3001), "");
    EXPECT_EQ(ProductCodeOfName("KT20"), kKt20);
    EXPECT_FALSE(ProductCodeOfName("KT30"));
}

}  // namespace
}  // namespace skarnel::test
