#pragma once

#include "voice/views/media_control_function.h"

#include <QDialog>
#include <QString>

#include <cstdint>

class QLabel;
class QPushButton;
class QSlider;
class QTimer;

namespace skarnel {

class CSmart_SliderCtrl;

// "Wave File Play": plays a WAV file on the PC with play, pause and stop, a position slider,
// a volume slider, the total play time and the current position.
class CDialog_Wave_Play final : public QDialog {
    Q_OBJECT
public:
    explicit CDialog_Wave_Play(const QString& path, QWidget* parent = nullptr);
    ~CDialog_Wave_Play() override;

    void Play();
    void PauseOrResume();
    void Stop();
    void OpenOtherFile();
    // One tick of the 100 ms timer: the current position's text and slider.
    void TimerTick();
    void PositionReleased();
    void VolumeChanged();
    void GraphEvent();

    const CMedia_Control_Function& Media() const { return media_; }
    int64_t Duration() const { return duration_; }
    bool TimerRunning() const;
    QLabel* PathLabel() const { return pathLabel_; }
    QLabel* TotalTime() const { return totalTime_; }
    QLabel* CurrentTime() const { return currentTime_; }
    QLabel* UnavailableLine() const { return unavailableLine_; }
    QPushButton* PlayButton() const { return playButton_; }
    QPushButton* PauseButton() const { return pauseButton_; }
    QPushButton* StopButton() const { return stopButton_; }
    QPushButton* FileOpenButton() const { return fileOpenButton_; }
    CSmart_SliderCtrl* PositionSlider() const { return positionSlider_; }
    QSlider* VolumeSlider() const { return volumeSlider_; }

private:
    void CreateControls();
    void LayOut();
    void ShowFile();

    CMedia_Control_Function media_;
    QString path_;
    int64_t duration_ = 0;
    QTimer* timer_;
    QLabel* pathLabel_;
    QLabel* totalTime_;
    QLabel* currentTime_;
    QLabel* unavailableLine_;
    QPushButton* fileOpenButton_;
    QPushButton* playButton_;
    QPushButton* pauseButton_;
    QPushButton* stopButton_;
    QPushButton* closeButton_;
    CSmart_SliderCtrl* positionSlider_;
    QSlider* volumeSlider_;
};

}  // namespace skarnel
