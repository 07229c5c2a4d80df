#include "sdcard/sd_codes.h"
#include "sdcard/sd_procedures.h"
#include "tests/sdcard/sd_test_support.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace skarnel {
namespace {

using test::SdLink;
using test::TempFolder;

// Passes every report on and raises the stop request at the given progress report.
class StoppingReporter final : public Reporter {
public:
    StoppingReporter(Reporter& next, StopRequest& stop, int atProgress)
        : next_(next), stop_(stop), atProgress_(atProgress)
    {
    }
    void ReportProgress(int position, const std::string& status) override
    {
        if (++progress_ == atProgress_)
            stop_.Request();
        next_.ReportProgress(position, status);
    }
    void ReportLogLine(const std::string& text) override { next_.ReportLogLine(text); }
    void ReportProgressRange(int maximum, int position) override { next_.ReportProgressRange(maximum, position); }
    void ReportFailedExchange(uint32_t value, int code) override { next_.ReportFailedExchange(value, code); }
    void ShowMessage(const std::string& t, const std::string& title, MessageIcon i) override
    {
        next_.ShowMessage(t, title, i);
    }
    bool AskYesNo(const std::string& t, const std::string& title, MessageIcon i) override
    {
        return next_.AskYesNo(t, title, i);
    }

private:
    Reporter& next_;
    StopRequest& stop_;
    int atProgress_;
    int progress_ = 0;
};

TEST(SdProcedures, StartAndListTheRootAsTheCardHoldsIt)
{
    SdLink s;
    uint32_t total = 0;
    uint32_t free = 0;
    EXPECT_EQ(StartSdCard(s.link, total, free), "");
    EXPECT_EQ(total, 15000u);
    EXPECT_EQ(free, 15000u - s.card.UsedKbyte());
    std::vector<SdEntry> entries;
    uint8_t result = 0;
    ASSERT_EQ(ListSdFolder(s.link, "/", entries, result), SdListing::Listed);
    std::vector<std::string> names;
    for (const SdEntry& entry : entries)
        names.push_back((entry.IsFolder() ? "D " : "F ") + entry.name);
    EXPECT_EQ(names, (std::vector<std::string>{"D LogData", "D Models", "D VoiceFile", "F empty.txt", "F readme.txt"}));
    EXPECT_EQ(entries[0].date, "2011-03-27");
    EXPECT_EQ(entries[0].time, "15:30");

    EXPECT_EQ(ListSdFolder(s.link, "/None", entries, result), SdListing::OpenFailed);
    EXPECT_EQ(result, sim::kSdNoPath);
}

TEST(SdProcedures, StartNamesTheStepThatFailed)
{
    struct Case {
        int group;
        uint8_t code;
        const char* text;
    };
    const Case cases[] = {{3, '0', "SD Log Stop Fail"}, {6, '0', "SD Init Fail"}, {6, '3', "SD Size Read Fail"}};
    for (const Case& c : cases) {
        SdLink s;
        sim::FaultRule nak;
        nak.kind = sim::FaultKind::Nak;
        nak.group = c.group;
        nak.code = c.code;
        s.engine().faults().Add(nak);
        uint32_t total = 0;
        EXPECT_EQ(StartSdCard(s.link, total, total), c.text);
    }
}

TEST(SdProcedures, SdToPcCopiesByteForByteInWholeBlocks)
{
    struct Case {
        std::string folder, name;
        size_t reads;
    };
    const Case cases[] = {{"/LogData", "20110327.bin", 2},
                          {"/LogData", "x.cld", 3},
                          {"/", "empty.txt", 0},
                          {"/Models", "hALPHA01.mdl", 4}};
    for (const Case& c : cases) {
        SdLink s;
        TempFolder pc;
        StopRequest stop;
        ASSERT_EQ(CopySdToPc(s.link, c.folder, {c.name}, pc.Root(), stop), SdTransferEnd::Success) << c.name;
        EXPECT_EQ(pc.Read(c.name), s.CardFile(SdChildPath(c.folder, c.name))) << c.name;
        EXPECT_EQ(s.Requests('8').size(), c.reads) << c.name;
        EXPECT_FALSE(pc.Exists(c.name + ".part"));
        const auto log = s.reporter.LogLines();
        ASSERT_EQ(log.size(), 5u);
        EXPECT_EQ(log[0], "1/1. " + c.name + " - SD -> PC File Transfer Ready ");
        EXPECT_EQ(log[1], "File Status Read - Ok");
        EXPECT_EQ(log[2], "File Open - Ok");
        EXPECT_EQ(log[3], "File Transfer Start");
        EXPECT_EQ(log[4], "SD -> PC File Transfer Success. File Size : " +
                              std::to_string(s.CardFile(SdChildPath(c.folder, c.name)).size()) + " byte ");
    }
}

TEST(SdProcedures, PcToSdCopiesByteForByteAndBack)
{
    SdLink s;
    TempFolder pc;
    const std::vector<uint8_t> bytes = test::PatternBytes(5000, 9);
    const std::string file = pc.Write("up.bin", bytes);
    StopRequest stop;
    ASSERT_EQ(CopyPcToSd(s.link, {file}, "/Models", stop), SdTransferEnd::Success);
    EXPECT_EQ(s.CardFile("/Models/up.bin"), bytes);
    EXPECT_EQ(s.Requests(':').size(), 3u);
    const auto log = s.reporter.LogLines();
    EXPECT_EQ(log.front(), "1/1. up.bin - PC -> SD File Transfer Ready ");
    EXPECT_EQ(log.back(), "PC -> SD File Transfer Success. File Size : 5000 byte ");

    TempFolder back;
    ASSERT_EQ(CopySdToPc(s.link, "/Models", {"up.bin"}, back.Root(), stop), SdTransferEnd::Success);
    EXPECT_EQ(back.Read("up.bin"), bytes);
}

TEST(SdProcedures, NamesThatCannotBePcFileNamesAreRefused)
{
    SdLink s;
    TempFolder pc;
    StopRequest stop;
    EXPECT_EQ(CopySdToPc(s.link, "/", {"../evil"}, pc.Root() / "in", stop), SdTransferEnd::Failed);
    EXPECT_EQ(s.reporter.LogLines().back(), "File Name Refused - ___evil");
    EXPECT_FALSE(std::filesystem::exists(pc.Root() / "evil"));
    EXPECT_TRUE(s.Requests('?').empty()) << "refused before the card is asked";
}

TEST(SdProcedures, AFailedReadKeepsTheEarlierCopyAndClosesTheCardFile)
{
    SdLink s;
    TempFolder pc;
    pc.Write("x.cld", {1, 2, 3});
    sim::FaultRule silence;
    silence.kind = sim::FaultKind::NoReply;
    silence.group = 6;
    silence.code = '8';
    silence.at = 2;
    s.engine().faults().Add(silence);
    StopRequest stop;
    EXPECT_EQ(CopySdToPc(s.link, "/LogData", {"x.cld", "20110327.bin"}, pc.Root(), stop), SdTransferEnd::Failed);
    EXPECT_EQ(s.reporter.LogLines().back(), "SD Card File Data Read Fail -  ");
    EXPECT_EQ(pc.Read("x.cld"), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_FALSE(pc.Exists("x.cld.part"));
    EXPECT_EQ(s.engine().RequestLog().back().code, '6');
    EXPECT_TRUE(s.Requests('?').size() == 1u) << "the second file is not begun";
}

TEST(SdProcedures, AStopEndsAfterTheCurrentBlockAndClosesBothFiles)
{
    SdLink s;
    TempFolder pc;
    StopRequest stop;
    StoppingReporter stopping(s.reporter, stop, 1);
    s.link.ownerWindow = &stopping;
    EXPECT_EQ(CopySdToPc(s.link, "/LogData", {"x.cld", "20110327.bin"}, pc.Root(), stop), SdTransferEnd::Stopped);
    EXPECT_EQ(s.Requests('8').size(), 1u);
    EXPECT_EQ(s.engine().RequestLog().back().code, '6');
    EXPECT_EQ(s.reporter.LogLines().back(), "File Transfer Thread Stop ");
    EXPECT_FALSE(pc.Exists("x.cld")) << "an incomplete copy is not kept";
    EXPECT_FALSE(pc.Exists("x.cld.part"));

    s.reporter.Clear();
    stop.Clear();
    StoppingReporter stoppingUp(s.reporter, stop, 1);
    s.link.ownerWindow = &stoppingUp;
    const std::string file = pc.Write("up.bin", test::PatternBytes(5000, 1));
    EXPECT_EQ(CopyPcToSd(s.link, {file}, "/", stop), SdTransferEnd::Stopped);
    EXPECT_EQ(s.Requests(':').size(), 1u);
    EXPECT_EQ(s.reporter.LogLines().back(), "File Transfer Thread Stop ");
}

TEST(SdProcedures, CardRefusalsAreLoggedWithTheirResultText)
{
    SdLink s;
    TempFolder pc;
    StopRequest stop;
    EXPECT_EQ(CopySdToPc(s.link, "/LogData", {"gone.cld"}, pc.Root(), stop), SdTransferEnd::Failed);
    EXPECT_EQ(s.reporter.LogLines().back(), "SD Card File Status Read Fail - PRES_Fat_NO_FILE");

    const std::string file = pc.Write("up.bin", {1});
    EXPECT_EQ(CopyPcToSd(s.link, {file}, "/None", stop), SdTransferEnd::Failed);
    EXPECT_EQ(s.reporter.LogLines().back(), "SD Card File Create Fail - PRES_Fat_FR_NO_PATH");
    EXPECT_EQ(CopyPcToSd(s.link, {pc.Path("missing.bin")}, "/", stop), SdTransferEnd::Failed);
    EXPECT_EQ(s.reporter.LogLines().back(), "PC File Open Fail");
}

}  // namespace
}  // namespace skarnel
