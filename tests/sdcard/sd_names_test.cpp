#include "link/frame.h"
#include "base/printable_text.h"
#include "sdcard/sd_codes.h"
#include "sdcard/sd_procedures.h"
#include "tests/sdcard/sd_test_support.h"
#include "tests/support/hostile_card.h"
#include "tests/support/hostile_names.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>

namespace skarnel {
namespace {

namespace fs = std::filesystem;
using test::PayloadString;
using test::SdLink;
using test::TempFolder;

const std::string kGruesse = "Gr\xc3\xbc\xc3\x9f"
                             "e.txt";  // "Grüße.txt"
const std::string kGruesseOnCard = "Gr\xfc\xdf"
                                   "e.txt";

struct PathCommand {
    const char* what;
    uint8_t code;
    std::function<void(CDownload_Function&, const std::string&)> send;
    std::string prefix;
};

TEST(SdNames, PathsGoToTheCardAByteACharacter)
{
    const PathCommand commands[] = {
        {"open folder", kSdCodeDirectoryOpen,
         [](CDownload_Function& link, const std::string& path) {
             uint8_t result = 0;
             link.SdOpenDirectory(path, result);
         },
         ""},
        {"status", kSdCodeFileStatus,
         [](CDownload_Function& link, const std::string& path) {
             uint8_t result = 0;
             uint32_t size = 0;
             link.SdFileStatus(path, size, result);
         },
         ""},
        {"open file", kSdCodeFileOpen,
         [](CDownload_Function& link, const std::string& path) {
             uint8_t result = 0;
             link.SdFileOpen(path, kSdOpenCreate, result);
         },
         "0x0b "},
        {"make folder", kSdCodeMakeFolder,
         [](CDownload_Function& link, const std::string& path) {
             uint8_t result = 0;
             link.SdMakeFolder(path, result);
         },
         ""},
        {"delete", kSdCodeDelete,
         [](CDownload_Function& link, const std::string& path) {
             uint8_t result = 0;
             link.SdDelete(path, result);
         },
         ""},
    };
    for (const PathCommand& command : commands) {
        SdLink s;
        command.send(s.link, "/" + kGruesse);
        ASSERT_FALSE(s.Requests(command.code).empty()) << command.what;
        EXPECT_EQ(PayloadString(s.Requests(command.code).front()),
                  command.prefix + "/" + kGruesseOnCard + std::string(1, '\0'))
            << command.what;
    }
}

TEST(SdNames, NonAsciiNamesRoundTripThroughTheCard)
{
    struct Case {
        std::string pcName;
        std::string onCard;
        std::string listed;
    };
    const Case cases[] = {
        {kGruesse, kGruesseOnCard, kGruesse},
        {"M\xc3\xbcller.txt", "M\xfcller.txt", "M\xc3\xbcller.txt"},
        // A character Latin-1 lacks goes as its low byte, as the controller takes it: U+20AC as 0xAC.
        {"\xe2\x82\xac"
         "uro.txt",
         "\xac"
         "uro.txt",
         "\xc2\xac"
         "uro.txt"},
    };
    for (const Case& c : cases) {
        SdLink s;
        TempFolder pc;
        StopRequest stop;
        const std::vector<uint8_t> bytes = test::PatternBytes(3000, 5);
        ASSERT_EQ(CopyPcToSd(s.link, {pc.Write(c.pcName, bytes)}, "/Models", stop), SdTransferEnd::Success);
        ASSERT_NE(s.card.Find("/Models/" + c.onCard), nullptr) << c.pcName;
        EXPECT_EQ(s.CardFile("/Models/" + c.onCard), bytes);

        std::vector<SdEntry> entries;
        uint8_t result = 0;
        ASSERT_EQ(ListSdFolder(s.link, "/Models", entries, result), SdListing::Listed);
        std::vector<std::string> names;
        for (const SdEntry& entry : entries)
            names.push_back(entry.name);
        EXPECT_NE(std::find(names.begin(), names.end(), c.listed), names.end()) << c.pcName;

        TempFolder back;
        ASSERT_EQ(CopySdToPc(s.link, "/Models", {c.listed}, back.Root(), stop), SdTransferEnd::Success);
        EXPECT_EQ(back.Read(c.listed), bytes);
    }
}

// Everything under root, wherever it lies, but the given folders themselves.
std::vector<fs::path> EntriesUnder(const fs::path& root, const std::vector<fs::path>& folders)
{
    std::vector<fs::path> entries;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
        if (std::find(folders.begin(), folders.end(), entry.path()) == folders.end())
            entries.push_back(entry.path());
    return entries;
}

bool HoldsNoControlByte(const std::string& line)
{
    return std::none_of(line.begin(), line.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

TEST(SdNames, HostileCardNamesNeverLeaveThePcFolder)
{
    TempFolder root;
    const fs::path pc = root.Root() / "pc";
    const fs::path outside = root.Root() / "outside";
    fs::create_directories(pc);
    fs::create_directories(outside);
    // A card name fits in one reply frame.
    auto names = std::make_shared<std::vector<std::string>>(test::HostileNames(outside));
    for (std::string& name : *names)
        name.resize(std::min<size_t>(name.size(), kMaxFramePayload - 64));

    SdLink s;
    test::InstallHostileCard(s.engine(), names);
    StopRequest stop;
    size_t copied = 0;
    for (size_t first = 0; first < names->size(); first += test::kHostileFolderSize) {
        const std::string folder = test::HostileFolderOf(first);
        std::vector<SdEntry> entries;
        uint8_t result = 0;
        ASSERT_EQ(ListSdFolder(s.link, folder, entries, result), SdListing::Listed);
        ASSERT_EQ(entries.size(), std::min(test::kHostileFolderSize, names->size() - first));
        for (const SdEntry& entry : entries) {
            if (CopySdToPc(s.link, folder, {entry.name}, pc, stop) != SdTransferEnd::Success)
                continue;
            EXPECT_TRUE(fs::is_regular_file(pc / entry.name)) << PrintableName(entry.name);
            ++copied;
        }
    }
    EXPECT_GT(copied, 0u);
    EXPECT_TRUE(fs::is_regular_file(pc / "M\xc3\xbcller.txt")) << "a plain name among them is copied";
    for (const fs::path& written : EntriesUnder(root.Root(), {pc, outside})) {
        EXPECT_TRUE(test::StaysDirectlyIn(pc, written)) << PrintableName(written.string());
        EXPECT_TRUE(fs::is_regular_file(written)) << PrintableName(written.string());
        EXPECT_NE(written.extension(), ".part") << PrintableName(written.string());
    }
    EXPECT_TRUE(fs::is_empty(outside));
    for (const std::string& line : s.reporter.LogLines())
        EXPECT_TRUE(HoldsNoControlByte(line)) << "a name must not break the log's lines: " << PrintableName(line);
}

}  // namespace
}  // namespace skarnel
