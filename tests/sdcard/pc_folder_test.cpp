#include "sdcard/pc_folder.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace skarnel {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

TEST(PcFolder, TheBackupFolderGetsAFolderForEachKindOfFile)
{
    TempFolder home;
    std::string error;
    const auto base = EnsureSdBackupFolder(home.Root(), error);
    ASSERT_TRUE(base) << error;
    EXPECT_EQ(*base, home.Root() / "SD_Card_Backup");
    for (const char* kind : {"LogData", "Models", "VoiceFile"})
        EXPECT_TRUE(fs::is_directory(*base / kind)) << kind;

    home.Write("blocker", {1});
    EXPECT_FALSE(EnsureSdBackupFolder(home.Root() / "blocker", error));
    EXPECT_FALSE(error.empty());
}

TEST(PcFolder, FilesAreRowsFoldersGoToTheTreeAndLinksAreLeftOut)
{
    TempFolder pc;
    pc.Write("b.mdl", std::vector<uint8_t>(1234, 0));
    pc.Write("a.cld", {});
    fs::create_directory(pc.Path("Models"));
    fs::create_symlink("/etc", pc.Path("outside"));
    fs::create_symlink(pc.Path("b.mdl"), pc.Path("alias.mdl"));

    const PcListing listing = ListPcFolder(pc.Root());
    ASSERT_EQ(listing.files.size(), 2u);
    EXPECT_EQ(listing.files[0].name, "a.cld");
    EXPECT_EQ(listing.files[1].name, "b.mdl");
    EXPECT_EQ(listing.files[1].size, 1234u);
    EXPECT_EQ(listing.files[1].date.size(), 10u);
    EXPECT_EQ(listing.files[1].time.size(), 5u);
    EXPECT_EQ(listing.folders, std::vector<std::string>{"Models"});
    EXPECT_TRUE(ListPcFolder(pc.Root() / "missing").files.empty());
}

}  // namespace
}  // namespace skarnel
