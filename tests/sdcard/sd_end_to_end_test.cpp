#include "tests/support/processes.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace skarnel {
namespace {

using test::CommandResult;
using test::RunCli;
using test::SimProcess;
using test::TempFolder;

// The simulator serving a PC folder as its card, and the command line pointed at it.
struct CardOnPty {
    CardOnPty() : sim({"--sd-dir", card.path()}) {}

    CommandResult Run(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), {"--port", sim.DevicePath(), "--yes"});
        return RunCli(arguments);
    }

    TempFolder card;
    TempFolder pc;
    SimProcess sim;
};

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

TEST(SdEndToEnd, FilesRoundTripThroughTheCardByteForByte)
{
    CardOnPty s;
    const std::string original = s.pc.Write("flight.cld", test::PatternBytes(5000, 7));
    ASSERT_EQ(s.Run({"sd", "mkdir", "/LogData"}).exitCode, 0);

    const CommandResult put = s.Run({"sd", "put", original, "--to", "/LogData"});
    EXPECT_EQ(put.exitCode, 0) << put.out;
    EXPECT_TRUE(Contains(put.out, "PC -> SD File Transfer Success. File Size : 5000 byte \n")) << put.out;
    EXPECT_EQ(s.card.Read("LogData/flight.cld"), s.pc.Read("flight.cld"));

    const CommandResult list = s.Run({"sd", "list", "/LogData"});
    EXPECT_EQ(list.exitCode, 0) << list.out;
    EXPECT_TRUE(Contains(list.out, "5,000  flight.cld")) << list.out;

    std::filesystem::create_directory(s.pc.Path("back"));
    const CommandResult get = s.Run({"sd", "get", "/LogData", "flight.cld", "-o", s.pc.Path("back")});
    EXPECT_EQ(get.exitCode, 0) << get.out;
    EXPECT_EQ(s.pc.Read("back/flight.cld"), s.pc.Read("flight.cld"));
}

TEST(SdEndToEnd, NonAsciiNamesKeepTheirCharactersOnTheCardAndBack)
{
    CardOnPty s;
    const std::string name = "Gr\xc3\xbc\xc3\x9f"
                             "e.txt";  // "Grüße.txt"
    const std::string original = s.pc.Write(name, test::PatternBytes(100, 3));
    const CommandResult put = s.Run({"sd", "put", original});
    EXPECT_EQ(put.exitCode, 0) << put.out;
    EXPECT_EQ(s.card.Read(name), s.pc.Read(name)) << "the served folder holds the name in UTF-8";

    const CommandResult list = s.Run({"sd", "list", "/"});
    EXPECT_TRUE(Contains(list.out, "100  " + name + "\n")) << list.out;

    std::filesystem::create_directory(s.pc.Path("back"));
    const CommandResult get = s.Run({"sd", "get", "/", name, "-o", s.pc.Path("back")});
    EXPECT_EQ(get.exitCode, 0) << get.out;
    EXPECT_EQ(s.pc.Read("back/" + name), s.pc.Read(name));
}

TEST(SdEndToEnd, RefusalsNameTheCardsResultAndFailTheCommand)
{
    CardOnPty s;
    ASSERT_EQ(s.Run({"sd", "mkdir", "/Models"}).exitCode, 0);
    ASSERT_EQ(s.Run({"sd", "put", s.pc.Write("a.mdl", {1, 2, 3}), "--to", "/Models"}).exitCode, 0);

    const CommandResult missing = s.Run({"sd", "get", "/Models", "b.mdl", "-o", s.pc.path()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(Contains(missing.out, "SD Card File Status Read Fail - PRES_Fat_NO_FILE\nFile Transfer Fail\n"))
        << missing.out;

    const CommandResult notEmpty = s.Run({"sd", "rmdir", "/Models"});
    EXPECT_EQ(notEmpty.exitCode, 1);
    EXPECT_TRUE(Contains(notEmpty.out, "Folder Delete Fail -/Models \r\n PRES_Fat_DENIED   ")) << notEmpty.out;

    EXPECT_EQ(s.Run({"sd", "delete", "/Models/a.mdl"}).exitCode, 0);
    EXPECT_EQ(s.Run({"sd", "rmdir", "/Models"}).exitCode, 0);
    EXPECT_FALSE(s.card.Exists("Models"));
}

}  // namespace
}  // namespace skarnel
