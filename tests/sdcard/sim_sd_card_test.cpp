#include "sim/sd_card.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace skarnel::sim {
namespace {

namespace fs = std::filesystem;

TEST(SimSdCard, PathsAreNormalisedAndEscapesRefused)
{
    EXPECT_EQ(SdCard::Normalise("/"), "/");
    EXPECT_EQ(SdCard::Normalise(""), "/");
    EXPECT_EQ(SdCard::Normalise("//LogData//x.cld"), "/LogData/x.cld");
    EXPECT_EQ(SdCard::Normalise("Models/"), "/Models");
    for (const char* refused : {"/../etc", "/a/./b", "/a\\b", "/x\ny", "/.."})
        EXPECT_FALSE(SdCard::Normalise(refused)) << refused;
}

TEST(SimSdCard, FoldersAreDeletedOnlyWhenEmpty)
{
    SdCard card;
    EXPECT_EQ(card.Delete("/Models"), kSdDenied);
    EXPECT_EQ(card.Delete("/"), kSdDenied);
    EXPECT_EQ(card.MakeFolder("/None/x", "1101010000"), kSdNoPath);
    EXPECT_EQ(card.MakeFolder("/New", "1101010000"), kSdOk);
    EXPECT_EQ(card.Delete("/New"), kSdOk);
    EXPECT_EQ(card.Delete("/New"), kSdNoFile);
}

TEST(SimSdCard, AServedFolderStaysConfinedAndGetsEveryChange)
{
    test::TempFolder outside;
    test::TempFolder root;
    outside.Write("secret.txt", {1, 2, 3});
    root.Write("kept.bin", {4, 5});
    fs::create_directory(root.Root() / "Logs");
    fs::create_directory_symlink(outside.Root(), root.Root() / "escape");
    fs::create_symlink(outside.Root() / "secret.txt", root.Root() / "link.txt");

    SdCard card;
    std::string error;
    ASSERT_TRUE(card.ServeFolder(root.Root(), error)) << error;
    std::vector<std::string> names;
    const auto listing = card.List("/");
    ASSERT_TRUE(listing);
    for (const SdCard::Entry& entry : *listing)
        names.push_back(entry.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Logs", "kept.bin"})) << "symbolic links are left out";
    EXPECT_EQ(card.Find("/kept.bin")->data, (std::vector<uint8_t>{4, 5}));

    EXPECT_EQ(card.MakeFolder("/escape", "1101010000"), kSdDenied) << "the link on disk is not followed";
    EXPECT_EQ(card.CreateFile("/link.txt", "1101010000"), kSdDenied);
    EXPECT_EQ(outside.Read("secret.txt"), (std::vector<uint8_t>{1, 2, 3}));

    ASSERT_EQ(card.CreateFile("/Logs/new.bin", "1101010000"), kSdOk);
    const uint8_t bytes[] = {9, 8, 7};
    ASSERT_EQ(card.WriteAt("/Logs/new.bin", 0, bytes, 3), kSdOk);
    card.Flush("/Logs/new.bin");
    EXPECT_EQ(root.Read("Logs/new.bin"), (std::vector<uint8_t>{9, 8, 7}));
    ASSERT_EQ(card.MakeFolder("/Logs/Sub", "1101010000"), kSdOk);
    EXPECT_TRUE(fs::is_directory(root.Root() / "Logs" / "Sub"));
    ASSERT_EQ(card.Delete("/kept.bin"), kSdOk);
    EXPECT_FALSE(root.Exists("kept.bin"));

    EXPECT_FALSE(card.ServeFolder(root.Root() / "none", error));
}

TEST(SimSdCard, AServedFolderKeepsItsNamesInUtf8AndTheCardInLatin1)
{
    test::TempFolder root;
    root.Write("M\xc3\xbcller.txt", {1});
    root.Write("\xe2\x82\xac.txt", {2});
    SdCard card;
    std::string error;
    ASSERT_TRUE(card.ServeFolder(root.Root(), error)) << error;
    const auto listing = card.List("/");
    ASSERT_TRUE(listing);
    std::vector<std::string> names;
    for (const SdCard::Entry& entry : *listing)
        names.push_back(entry.name);
    EXPECT_EQ(names, std::vector<std::string>{"M\xfcller.txt"}) << "a name Latin-1 cannot hold stays out";

    ASSERT_EQ(card.CreateFile("/Gr\xfc\xdf"
                              "e.txt",
                              "1101010000"),
              kSdOk);
    EXPECT_TRUE(root.Exists("Gr\xc3\xbc\xc3\x9f"
                            "e.txt"));
    ASSERT_EQ(card.Delete("/M\xfcller.txt"), kSdOk);
    EXPECT_FALSE(root.Exists("M\xc3\xbcller.txt"));
}

}  // namespace
}  // namespace skarnel::sim
