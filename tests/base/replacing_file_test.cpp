#include "base/replacing_file.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace skarnel {
namespace {

using test::FileSizeLimit;
using test::PatternBytes;
using test::TempFolder;

TEST(ReplacingFile, ReplacesTheFileOnlyWhenAllIsWritten)
{
    TempFolder folder;
    const std::vector<uint8_t> old = PatternBytes(100, 1);
    const std::vector<uint8_t> fresh = PatternBytes(5000, 2);
    const std::string path = folder.Write("backup.mif", old);
    ReplacingFile file;
    ASSERT_TRUE(file.Create(path));
    ASSERT_TRUE(file.Write(fresh.data(), fresh.size()));
    EXPECT_EQ(folder.Read("backup.mif"), old) << "still the old file until the commit";
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(folder.Read("backup.mif"), fresh);
    EXPECT_FALSE(folder.Exists("backup.mif.part"));
}

// A disk that fills up half-way through, or a writer that gives up, leaves the old file whole.
TEST(ReplacingFile, AWriteThatFailsHalfWayKeepsTheOldFile)
{
    TempFolder folder;
    const std::vector<uint8_t> old = PatternBytes(100, 1);
    const std::vector<uint8_t> fresh = PatternBytes(64 * 1024, 2);
    const std::string path = folder.Write("backup.mif", old);
    {
        ReplacingFile file;
        ASSERT_TRUE(file.Create(path));
        FileSizeLimit limit(fresh.size() / 2);
        EXPECT_FALSE(file.Write(fresh.data(), fresh.size()));
        EXPECT_FALSE(file.Commit());
        EXPECT_FALSE(file.Error().empty());
    }
    EXPECT_EQ(folder.Read("backup.mif"), old);
    EXPECT_FALSE(folder.Exists("backup.mif.part"));
    {
        ReplacingFile abandoned;
        ASSERT_TRUE(abandoned.Create(path));
        ASSERT_TRUE(abandoned.Write(fresh.data(), 10));
    }
    EXPECT_EQ(folder.Read("backup.mif"), old);
    EXPECT_FALSE(folder.Exists("backup.mif.part"));
}

// A device cannot be replaced by a file: it is written into, and its failure told.
TEST(ReplacingFile, DeviceIsWrittenIntoNotReplaced)
{
    const std::vector<uint8_t> bytes = PatternBytes(10, 3);
    std::string error;
    EXPECT_TRUE(WriteReplacingFile("/dev/null", bytes.data(), bytes.size(), &error)) << error;
    EXPECT_FALSE(WriteReplacingFile("/dev/full", bytes.data(), bytes.size(), &error));
    EXPECT_EQ(error, "No space left on device");
    EXPECT_FALSE(std::filesystem::exists("/dev/full.part"));
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

TEST(ReplacingFile, UncreatableFileSaysWhy)
{
    std::string error;
    const uint8_t byte = 0;
    EXPECT_FALSE(WriteReplacingFile("/nonexistent-folder/x.bin", &byte, 1, &error));
    EXPECT_EQ(error, "No such file or directory");
}

}  // namespace
}  // namespace skarnel
