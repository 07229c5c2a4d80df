#include "shell/smart_slider.h"
#include "tests/support/gui_support.h"
#include "tests/support/temp_folder.h"
#include "tests/voice/wave_fixtures.h"
#include "voice/views/dialog_wave_play.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace skarnel::test {
namespace {

// What the fake player was told, shared with the test after the dialog owns the player.
struct FakeState {
    bool available = true;
    bool playing = false;
    int64_t positionMs = 0;
    float gain = -1;
    int loads = 0;
    MediaBackend* backend = nullptr;
};

class FakeBackend final : public MediaBackend {
public:
    explicit FakeBackend(std::shared_ptr<FakeState> state) : state_(std::move(state)) { state_->backend = this; }
    ~FakeBackend() override { state_->backend = nullptr; }

    bool Available(QString& why) const override
    {
        if (!state_->available)
            why = "Playback unavailable: no sound device";
        return state_->available;
    }
    bool Load(const QString&) override { return ++state_->loads > 0; }
    void Play() override { state_->playing = true; }
    void Pause() override { state_->playing = false; }
    void Stop() override { state_->playing = false; }
    int64_t PositionMs() const override { return state_->positionMs; }
    void SetPositionMs(int64_t position) override { state_->positionMs = position; }
    void SetVolume(float gain) override { state_->gain = gain; }

private:
    std::shared_ptr<FakeState> state_;
};

struct WavePlayFixture {
    WavePlayFixture()
    {
        CMedia_Control_Function::InstallBackendFactory(
            [state = state] { return std::make_unique<FakeBackend>(state); });
        // 10 s of 16-bit mono at 11025 Hz.
        path = QString::fromStdString(files.Write("ten.wav", MonoWave(std::vector<uint8_t>(220500, 0))));
    }
    ~WavePlayFixture() { CMedia_Control_Function::InstallBackendFactory({}); }

    std::shared_ptr<FakeState> state = std::make_shared<FakeState>();
    TempFolder files;
    QString path;
    ScriptedFileDialogs dialogs;
};

TEST(WavePlayDialog, ShowsTheFileAndItsTimeAndSeeksHalfWay)
{
    WavePlayFixture f;
    CDialog_Wave_Play dialog(f.path);
    EXPECT_EQ(dialog.windowTitle(), "Wave File Play");
    EXPECT_EQ(dialog.PathLabel()->text(), f.path);
    EXPECT_EQ(dialog.TotalTime()->text(), "0 m 10.00 s");
    EXPECT_EQ(dialog.CurrentTime()->text(), "0 m 0 s");
    EXPECT_EQ(dialog.Media().loaded, 1);
    EXPECT_TRUE(dialog.UnavailableLine()->text().isEmpty());

    dialog.PositionSlider()->setValue(50);
    dialog.PositionReleased();
    EXPECT_EQ(f.state->positionMs, 5000);
    EXPECT_EQ(dialog.CurrentTime()->text(), "0 m 5.00 s");
}

TEST(WavePlayDialog, PlayPauseStopAndTheEndOfTheFile)
{
    WavePlayFixture f;
    CDialog_Wave_Play dialog(f.path);
    dialog.PlayButton()->click();
    EXPECT_EQ(dialog.Media().playState, 2);
    EXPECT_TRUE(dialog.TimerRunning());
    EXPECT_TRUE(f.state->playing);

    dialog.PauseButton()->click();
    EXPECT_EQ(dialog.Media().playState, 1);
    EXPECT_FALSE(dialog.TimerRunning());
    dialog.PauseButton()->click();
    EXPECT_EQ(dialog.Media().playState, 2);
    EXPECT_TRUE(dialog.TimerRunning());

    f.state->positionMs = 7500;
    dialog.TimerTick();
    EXPECT_EQ(dialog.PositionSlider()->value(), 75);
    EXPECT_EQ(dialog.CurrentTime()->text(), "0 m 7.50 s");
    // The thumb the user holds stays where the user put it.
    dialog.PositionSlider()->dragging = 1;
    dialog.PositionSlider()->setValue(20);
    f.state->positionMs = 8000;
    dialog.TimerTick();
    EXPECT_EQ(dialog.PositionSlider()->value(), 20);
    dialog.PositionSlider()->dragging = 0;

    f.state->backend->onEnd();
    ASSERT_TRUE(WaitUntil([&] { return dialog.Media().playState == 0; }));
    EXPECT_EQ(dialog.PositionSlider()->value(), 0);
    EXPECT_EQ(f.state->positionMs, 0);
    dialog.TimerTick();
    EXPECT_FALSE(dialog.TimerRunning());
    dialog.PlayButton()->click();
    EXPECT_EQ(dialog.Media().playState, 2);

    f.state->positionMs = 3000;
    dialog.StopButton()->click();
    EXPECT_EQ(dialog.Media().playState, 0);
    EXPECT_EQ(f.state->positionMs, 0);
}

TEST(WavePlayDialog, VolumeSliderSetsHundredthsOfADecibel)
{
    WavePlayFixture f;
    CDialog_Wave_Play dialog(f.path);
    EXPECT_FLOAT_EQ(f.state->gain, 1.0f);
    dialog.VolumeSlider()->setValue(100);
    EXPECT_FLOAT_EQ(f.state->gain, 0.0f);
    dialog.VolumeSlider()->setValue(20);
    EXPECT_NEAR(f.state->gain, 0.1f, 1e-6);
    dialog.VolumeSlider()->setValue(0);
    EXPECT_FLOAT_EQ(f.state->gain, 1.0f);
}

TEST(WavePlayDialog, AFileWithoutDataIsRefusedSilentlyAndKeepsTheOldTime)
{
    WavePlayFixture f;
    CDialog_Wave_Play dialog(f.path);
    WaveLayout noData;
    std::vector<uint8_t> bytes = WaveBytes(noData);
    bytes.resize(12 + 8 + 16);  // RIFF header and the fmt chunk, no data chunk
    f.dialogs.answer = QString::fromStdString(f.files.Write("nodata.wav", bytes));
    dialog.FileOpenButton()->click();
    EXPECT_EQ(dialog.PathLabel()->text(), f.dialogs.answer);
    EXPECT_EQ(dialog.Media().loaded, 0);
    EXPECT_EQ(dialog.TotalTime()->text(), "0 m 10.00 s");
    EXPECT_EQ(f.dialogs.filters.back(), "Wave File(*.wav)|*.wav|");
    dialog.PlayButton()->click();
    EXPECT_EQ(dialog.Media().playState, 0);
}

TEST(WavePlayDialog, WithoutASoundDeviceItShowsTheFileAndSaysSo)
{
    WavePlayFixture f;
    f.state->available = false;
    CDialog_Wave_Play dialog(f.path);
    EXPECT_EQ(dialog.TotalTime()->text(), "0 m 10.00 s");
    EXPECT_EQ(dialog.UnavailableLine()->text(), "Playback unavailable: no sound device");
    dialog.PlayButton()->click();
    dialog.PauseButton()->click();
    dialog.StopButton()->click();
    dialog.PositionSlider()->setValue(50);
    dialog.PositionReleased();
    EXPECT_EQ(dialog.Media().playState, 0);
    EXPECT_FALSE(dialog.TimerRunning());
}

}  // namespace
}  // namespace skarnel::test
