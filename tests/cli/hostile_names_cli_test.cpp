#include "link/frame.h"
#include "base/printable_text.h"
#include "model/data_schema.h"
#include "sim/application_commands.h"
#include "sim/controller_engine.h"
#include "sim/model_data_commands.h"
#include "sim/model_memory.h"
#include "sim/pty_server.h"
#include "sim/sd_card.h"
#include "sim/sd_card_commands.h"
#include "sim/voice_flash_commands.h"
#include "tests/support/hostile_card.h"
#include "tests/support/hostile_names.h"
#include "tests/support/processes.h"
#include "voice/voice_file_info.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <regex>
#include <stdexcept>
#include <thread>

namespace skarnel {
namespace {

using test::CommandResult;
using test::IsTerminalSafe;
using test::OutputLines;

// A controller served on a PTY from this process, set up before it starts to serve, so that
// the command line can be run against whatever names it is given.
class ServedController {
public:
    explicit ServedController(const std::function<void(sim::ControllerEngine&)>& setUp) : server_(engine_)
    {
        sim::InstallApplicationCommands(engine_);
        sim::InstallSdCardCommands(engine_, card_);
        sim::InstallVoiceFlashCommands(engine_);
        sim::InstallModelDataCommands(engine_);
        setUp(engine_);
        std::string error;
        if (!server_.Open(error))
            throw std::runtime_error(error);
        thread_ = std::thread([this] { server_.Run(stop_); });
    }
    ~ServedController()
    {
        stop_ = true;
        thread_.join();
    }

    CommandResult Run(std::vector<std::string> arguments) const
    {
        arguments.insert(arguments.begin(), {"--port", server_.DevicePath(), "--yes"});
        return test::RunCli(arguments);
    }

private:
    sim::ControllerEngine engine_;
    sim::SdCard card_;
    sim::PtyServer server_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// Every exchange crosses a PTY here, so the command line gets the first `count` names of the
// set, the fixed ones among them; all of them go through the escapes in the link tests.
std::shared_ptr<std::vector<std::string>> Names(size_t count)
{
    auto names = std::make_shared<std::vector<std::string>>(test::HostileNames("/tmp/skarnel-outside", count));
    for (std::string& name : *names)
        name.resize(std::min<size_t>(name.size(), kMaxFramePayload - 64));
    return names;
}

// The index of a fixed name of the set.
size_t IndexOf(const std::vector<std::string>& names, const std::string& name)
{
    return static_cast<size_t>(std::find(names.begin(), names.end(), name) - names.begin());
}

// Each line begins with its row number, right-aligned to `width` as the command line numbers
// them: no row was forged.
void ExpectNumberedRows(const std::vector<std::string>& lines, size_t rows, size_t width)
{
    ASSERT_GE(lines.size(), rows);
    for (size_t row = 0; row < rows; ++row) {
        std::string number = std::to_string(row + 1);
        number.insert(0, width > number.size() ? width - number.size() : 0, ' ');
        EXPECT_EQ(lines[row].rfind(number + "  ", 0), 0u) << PrintableName(lines[row]);
    }
}

TEST(HostileNamesOnTheCommandLine, SdListShowsEachNameOnItsOwnRowEscaped)
{
    const auto names = Names(1000);
    const ServedController controller([&](sim::ControllerEngine& engine) { test::InstallHostileCard(engine, names); });
    for (size_t first = 0; first < names->size(); first += test::kHostileFolderSize) {
        const CommandResult list = controller.Run({"sd", "list", test::HostileFolderOf(first)});
        EXPECT_EQ(list.exitCode, 0) << PrintableName(list.out);
        EXPECT_TRUE(IsTerminalSafe(list.out, true));
        EXPECT_TRUE(IsTerminalSafe(list.err, true));
        const std::vector<std::string> lines = OutputLines(list.out);
        const size_t rows = std::min(test::kHostileFolderSize, names->size() - first);
        EXPECT_EQ(lines.size(), rows);
        ExpectNumberedRows(lines, rows, 3);
        if (first == 0) {
            EXPECT_TRUE(lines.at(IndexOf(*names, "nl\nx")).ends_with("  nl\\nx"));
            EXPECT_TRUE(lines.at(IndexOf(*names, "\x1b[2J")).ends_with("  \\x1b[2J"));
        }
    }
}

TEST(HostileNamesOnTheCommandLine, VoiceListShowsEachNameOnItsOwnRowEscaped)
{
    const auto names = Names(2 * kMaxVoiceFiles);
    const std::regex knownLine(R"(^(\d+  |ADPCM #\d+\. |RF Process Pause$|ExFlash Version Read\. |)"
                               R"(ADPCM File List Read Start$|File List Read Complete$|\d+ / \d+ \(\d+ %\)$))");
    for (size_t first = 0; first < names->size(); first += kMaxVoiceFiles) {
        const size_t count = std::min(kMaxVoiceFiles, names->size() - first);
        const ServedController controller([&](sim::ControllerEngine& engine) {
            std::vector<uint8_t>& flash = engine.state().voiceFlash.Memory();
            for (size_t slot = 0; slot < count; ++slot) {
                VoiceFileInfo record = VoiceFileInfo::ForSlot(static_cast<uint16_t>(slot));
                const std::string& name = (*names)[first + slot];
                std::copy_n(name.begin(), std::min(name.size(), VoiceFileInfo::kMaxNameLength), record.name.begin());
                const auto bytes = record.Encode();
                std::copy(bytes.begin(), bytes.end(), flash.begin() + static_cast<std::ptrdiff_t>(slot * bytes.size()));
            }
        });
        const CommandResult list = controller.Run({"voice", "list"});
        EXPECT_EQ(list.exitCode, 0) << PrintableName(list.out);
        EXPECT_TRUE(IsTerminalSafe(list.out, true));
        EXPECT_TRUE(IsTerminalSafe(list.err, true));
        size_t rows = 0;
        for (const std::string& line : OutputLines(list.out)) {
            EXPECT_TRUE(std::regex_search(line, knownLine)) << PrintableName(line);
            rows += std::regex_search(line, std::regex(R"(^\d+  )")) ? 1 : 0;
        }
        EXPECT_EQ(rows, count);
    }
}

TEST(HostileNamesOnTheCommandLine, ModelListShowsEachNameOnItsOwnRowEscaped)
{
    constexpr size_t kModels = 30;
    const auto names = Names(4 * kModels);
    for (size_t first = 0; first < names->size(); first += kModels) {
        const ServedController controller([&](sim::ControllerEngine& engine) {
            for (size_t index = 0; index < kModels; ++index)
                sim::SetModelListEntry(engine.state(), static_cast<int>(index), kModelHelicopter,
                                       (*names)[first + index]);
        });
        const CommandResult list = controller.Run({"--quiet", "model", "list"});
        EXPECT_EQ(list.exitCode, 0) << PrintableName(list.out);
        EXPECT_TRUE(IsTerminalSafe(list.out, true));
        const std::vector<std::string> lines = OutputLines(list.out);
        EXPECT_EQ(lines.size(), kModels);
        ExpectNumberedRows(lines, kModels, 0);
    }
}

}  // namespace
}  // namespace skarnel
