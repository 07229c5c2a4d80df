#include "shell/commands.h"
#include "shell/main_frame.h"
#include "sim/telemetry_commands.h"
#include "telemetry/gps_coordinates.h"
#include "telemetry/live_log_file.h"
#include "telemetry/live_log_save.h"
#include "telemetry/live_recorder.h"
#include "telemetry/log_loader.h"
#include "telemetry/views/live_telemetry_hub.h"
#include "tests/support/simulated_frame.h"
#include "tests/support/temp_folder.h"
#include "tests/telemetry/recording_log_rows.h"

#include <QLabel>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace skarnel::test {
namespace {

// The main frame on the in-process controller, its telemetry as the settings say, with the
// boxes and the save dialog scripted and every notification of the hub written down.
struct LiveLogFrame : SimulatedFrameFixture {
    explicit LiveLogFrame(const sim::TelemetrySettings& telemetry)
    {
        {
            std::lock_guard lock(controller.mutex());
            sim::InstallTelemetryCommands(controller.engine(), telemetry);
        }
        QObject::connect(&frame->LiveData(), &CLive_Telemetry_Hub::NewData, frame.get(),
                         [this](int view) { notified.push_back(view); });
        ShowOffScreen(*frame);
    }

    long Notifications(int view) const { return std::count(notified.begin(), notified.end(), view); }
    bool Notified(int view) const { return Notifications(view) > 0; }
    // The module is read before a pass's record is written: its second reading means the first
    // pass is in the file whenever the stop comes.
    bool PassWrittenWith(int view) const { return Notifications(view) >= 2; }
    bool RecordUntil(const std::function<bool()>& condition)
    {
        frame->RunCommand(kCmdLiveLogStart);
        return frame->IsLiveLogRunning() && WaitUntil(condition, 20000);
    }
    bool StopAndWait()
    {
        frame->RunCommand(kCmdLiveLogStop);
        return WaitUntil([this] { return !frame->IsLiveLogRunning(); }, 20000);
    }
    std::filesystem::path TempFile() const
    {
        return frame->ApplicationFolder() / kLiveLogFolderName / kLiveLogTempName;
    }

    RecordingMessageBoxes boxes;
    ScriptedFileDialogs dialogs;
    TempFolder saved;
    std::vector<int> notified;
};

template <typename Record> Record RowRecord(const RecordingLogRows::Row& row)
{
    Record record;
    std::memcpy(static_cast<void*>(&record), row.bytes.data(), sizeof record);
    return record;
}

TEST(LiveLogRecorder, RecordsFromStartToSaveAndRefusesToCloseMeanwhile)
{
    sim::TelemetrySettings settings;
    settings.sensorPlan = {{kSensorGps, 1}, {kSensorGeneral, 100}};
    LiveLogFrame f(settings);
    f.dialogs.answer = QString::fromStdString(f.saved.Path("flight"));
    CMainFrame& frame = *f.frame;
    ASSERT_TRUE(frame.CommandAction(kCmdLiveLogStart)->isEnabled());
    ASSERT_TRUE(f.RecordUntil([&f] { return f.PassWrittenWith(kLiveViewGeneral); }));

    EXPECT_FALSE(frame.close()) << "the window stays open while recording";
    EXPECT_EQ(f.boxes.Texts().back(), "Live Log Monitoring      ");
    if (frame.IsViewAvailable(kViewLogSensor)) {
        EXPECT_EQ(frame.OpenView(kViewLogSensor), nullptr);
        EXPECT_EQ(f.boxes.Texts().back(), "Live Log Monitoring");
    }
    frame.RunCommand(kCmdLiveLogStart);
    EXPECT_TRUE(frame.IsLiveLogRunning()) << "a second start does nothing";
    EXPECT_FALSE(frame.LiveLogPicture()->pixmap().isNull());
    // The recording runs on virtual time at its own pace, so only the form of its time is known.
    const QRegularExpression runningTime(R"(^ \d\d:\d\d:\d\d\.\d\d    \(\+\d+\.\d\d\)$)");
    EXPECT_TRUE(runningTime.match(frame.LiveLogText()->text()).hasMatch()) << frame.LiveLogText()->text().toStdString();
    for (int view : {kLiveViewRfDbm, kLiveViewReceiver, kLiveViewGps, kLiveViewGpsCurve})
        EXPECT_TRUE(f.Notified(view)) << view;
    EXPECT_GT(frame.LiveData().Data().path.count, 0);

    ASSERT_TRUE(f.StopAndWait());
    const std::vector<RecordingMessageBoxes::Box> boxes = f.boxes.Boxes();
    EXPECT_EQ(boxes.back().text, "Log Data Save");
    EXPECT_EQ(boxes.back().title, "Log");
    EXPECT_EQ(boxes.back().icon, MessageIcon::Question);
    EXPECT_TRUE(std::all_of(boxes.begin(), boxes.end(), [](const auto& box) { return box.onUiThread; }));
    EXPECT_EQ(f.dialogs.filters.back(), "Target File(*.cld)|*.cld||");
    EXPECT_EQ(frame.LiveLogText()->text(), " 00:00:00.00    (+0.00)");
    EXPECT_FALSE(std::filesystem::exists(f.TempFile()));

    RecordingLogRows rows;
    ASSERT_TRUE(LoadLogFile(f.saved.Path("flight.cld"), rows, NullReporter::Instance()));
    int gps = 0, general = 0;
    for (const RecordingLogRows::Row& row : rows.rows) {
        if (row.list == "Receiver") {
            EXPECT_FLOAT_EQ(RowRecord<ReceiverData>(row).lowVolt, 4.4f);
        }
        if (row.list == "GPS") {
            const auto record = RowRecord<GpsData>(row);
            EXPECT_NEAR(GpsDegrees({record.nsHigh, record.nsLow, record.ns}), 37.558333, 0.002);
            ++gps;
        }
        general += row.list == "General" ? 1 : 0;
    }
    EXPECT_GT(gps, 0);
    EXPECT_GT(general, 0);
    EXPECT_TRUE(frame.close());
}

TEST(LiveLogRecorder, ADeadLinkStopsWithItsBoxBeforeTheSaveQuestion)
{
    sim::TelemetrySettings settings;
    settings.deadLinkAfter = 0;
    LiveLogFrame f(settings);
    f.boxes.AnswerWith(false);
    ASSERT_TRUE(f.frame->CommandAction(kCmdLiveLogStart)->isEnabled());
    f.frame->RunCommand(kCmdLiveLogStart);
    ASSERT_TRUE(WaitUntil([&f] { return !f.frame->IsLiveLogRunning(); }, 20000));
    const std::vector<RecordingMessageBoxes::Box> boxes = f.boxes.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text.toStdString(), kLogDataReadFail);
    EXPECT_EQ(boxes[0].title, "Log");
    EXPECT_EQ(boxes[0].icon, MessageIcon::Warning);
    EXPECT_EQ(boxes[1].text, "Log Data Save");
    EXPECT_TRUE(f.dialogs.filters.empty()) << "No asks for no name";
    EXPECT_FALSE(std::filesystem::exists(f.TempFile()));
}

TEST(LiveLogRecorder, TheTimeTextFitsItsFieldForADayLongRecording)
{
    LiveLogFrame f(sim::TelemetrySettings{});
    const QLabel* text = f.frame->LiveLogText();
    const QString longest = QString::fromStdString(LiveLogTimeText(int64_t{24} * 360000 - 1));
    EXPECT_LE(text->fontMetrics().horizontalAdvance(longest), text->width()) << longest.toStdString();
    EXPECT_LE(text->fontMetrics().height(), text->height());
}

struct SaveCase {
    const char* name;
    bool intoMissingFolder;  // else onto the temporary file itself
};

TEST(LiveLogRecorder, ARecordingThatCannotBeCopiedStaysWhereItIs)
{
    for (const SaveCase c : {SaveCase{"missing folder", true}, SaveCase{"the temporary file", false}}) {
        SCOPED_TRACE(c.name);
        LiveLogFrame f(sim::TelemetrySettings{});
        f.dialogs.answer = c.intoMissingFolder ? QString::fromStdString(f.saved.Path("missing/flight.cld"))
                                               : QString::fromStdString(f.TempFile().string());
        ASSERT_TRUE(f.RecordUntil([&f] { return f.PassWrittenWith(kLiveViewGeneral); }));
        ASSERT_TRUE(f.StopAndWait());
        ASSERT_TRUE(std::filesystem::exists(f.TempFile()));
        EXPECT_GT(std::filesystem::file_size(f.TempFile()), kLiveLogHeaderSize);
        EXPECT_EQ(f.boxes.Texts().back().startsWith("Log File Save Fail"), c.intoMissingFolder);
        std::filesystem::remove(f.TempFile());
    }
}

}  // namespace
}  // namespace skarnel::test
