#include "voice/views/dialog_wave_play.h"

#include "shell/file_dialogs.h"
#include "shell/smart_slider.h"
#include "voice/wave_playback.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace skarnel {
namespace {

constexpr int kTimerMs = 100;
constexpr const char* kWaveFilter = "Wave File(*.wav)|*.wav|";

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

CDialog_Wave_Play::CDialog_Wave_Play(const QString& path, QWidget* parent)
    : QDialog(parent), path_(path), timer_(new QTimer(this)), pathLabel_(new QLabel("Static")),
      totalTime_(new QLabel("0 m 0 s")), currentTime_(new QLabel("0 m 0 s")), unavailableLine_(new QLabel),
      fileOpenButton_(new QPushButton("File Open")), playButton_(new QPushButton(QString::fromUtf8("▶ Play"))),
      pauseButton_(new QPushButton("l l Pause")), stopButton_(new QPushButton(QString::fromUtf8("■ Stop"))),
      closeButton_(new QPushButton("Close")), positionSlider_(new CSmart_SliderCtrl(Qt::Horizontal)),
      volumeSlider_(new QSlider(Qt::Vertical))
{
    setWindowTitle("Wave File Play");
    CreateControls();
    LayOut();
    // The graph reports the end of the file through a posted message.
    media_.notifyWindow = [this] { QTimer::singleShot(0, this, &CDialog_Wave_Play::GraphEvent); };
    if (media_.CreateGraph() < 0) {
        unavailableLine_->setText(media_.UnavailableReason());
        media_.ReleaseGraph();
    }
    ShowFile();
}

CDialog_Wave_Play::~CDialog_Wave_Play()
{
    media_.ReleaseGraph();
}

void CDialog_Wave_Play::CreateControls()
{
    positionSlider_->setRange(0, 100);
    positionSlider_->setTickInterval(10);
    positionSlider_->setTickPosition(QSlider::TicksBelow);
    volumeSlider_->setRange(0, 100);
    volumeSlider_->setTickInterval(20);
    volumeSlider_->setTickPosition(QSlider::TicksRight);
    // Position 0 at the top is full volume, as the dialog shows it.
    volumeSlider_->setInvertedAppearance(true);
    volumeSlider_->setValue(0);
    pathLabel_->setWordWrap(true);
    timer_->setInterval(kTimerMs);
    connect(timer_, &QTimer::timeout, this, &CDialog_Wave_Play::TimerTick);
    connect(playButton_, &QPushButton::clicked, this, &CDialog_Wave_Play::Play);
    connect(pauseButton_, &QPushButton::clicked, this, &CDialog_Wave_Play::PauseOrResume);
    connect(stopButton_, &QPushButton::clicked, this, &CDialog_Wave_Play::Stop);
    connect(fileOpenButton_, &QPushButton::clicked, this, &CDialog_Wave_Play::OpenOtherFile);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(positionSlider_, &QSlider::sliderReleased, this, &CDialog_Wave_Play::PositionReleased);
    connect(volumeSlider_, &QSlider::valueChanged, this, &CDialog_Wave_Play::VolumeChanged);
}

void CDialog_Wave_Play::LayOut()
{
    auto* fileGroup = new QGroupBox(" [ Wave File Name ] ");
    auto* fileRow = new QHBoxLayout(fileGroup);
    fileRow->addWidget(pathLabel_, 1);
    fileRow->addWidget(fileOpenButton_);
    auto* positionGroup = new QGroupBox(" [ Play Positoin ] ");
    auto* positionColumn = new QVBoxLayout(positionGroup);
    positionColumn->addWidget(positionSlider_);
    auto* times = new QGridLayout;
    times->addWidget(new QLabel("Total Play Time  : "), 0, 0);
    times->addWidget(totalTime_, 0, 1);
    times->addWidget(new QLabel("Current Position : "), 1, 0);
    times->addWidget(currentTime_, 1, 1);
    times->setColumnStretch(1, 1);
    positionColumn->addLayout(times);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {playButton_, pauseButton_, stopButton_})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(closeButton_);
    auto* left = new QVBoxLayout;
    left->addWidget(fileGroup);
    left->addWidget(positionGroup);
    left->addLayout(buttons);
    left->addWidget(unavailableLine_);
    auto* volumeGroup = new QGroupBox(" [ Volume ] ");
    auto* volumeColumn = new QVBoxLayout(volumeGroup);
    volumeColumn->addWidget(volumeSlider_, 0, Qt::AlignHCenter);
    auto* page = new QHBoxLayout(this);
    page->addLayout(left, 1);
    page->addWidget(volumeGroup);
}

// The path and, for a WAV file, its time; a file that is no WAV file keeps the old time.
void CDialog_Wave_Play::ShowFile()
{
    pathLabel_->setText(path_);
    int64_t duration = 0;
    if (media_.OpenMediaFile(path_, duration) == 1) {
        duration_ = duration;
        totalTime_->setText(Text(PlayerTimeText(duration)));
    }
    if (!media_.HasGraph() && unavailableLine_->text().isEmpty())
        unavailableLine_->setText(media_.UnavailableReason());
    media_.SetVolume(VolumeOfSlider(volumeSlider_->value()));
}

void CDialog_Wave_Play::Play()
{
    if (!media_.HasGraph() || !media_.loaded)
        return;
    if (media_.playState != 2) {
        if (!media_.Run())
            return;
        media_.playState = 2;
    }
    timer_->start();
}

void CDialog_Wave_Play::PauseOrResume()
{
    if (media_.playState == 2) {
        timer_->stop();
        if (media_.Pause())
            media_.playState = 1;
    } else if (media_.playState == 1) {
        Play();
    }
}

void CDialog_Wave_Play::Stop()
{
    if (media_.StopPlayback() == 1)
        positionSlider_->setValue(0);
}

bool CDialog_Wave_Play::TimerRunning() const
{
    return timer_->isActive();
}

void CDialog_Wave_Play::TimerTick()
{
    if (duration_ == 0)
        return;
    int percent = 0;
    int64_t position = 0;
    if (media_.ReadCurrentPosition(position)) {
        percent = PositionPercent(position, duration_);
        currentTime_->setText(Text(PlayerTimeText(position)));
    }
    if (!positionSlider_->dragging)
        positionSlider_->setValue(percent);
    if (media_.playState != 2)
        timer_->stop();
}

void CDialog_Wave_Play::PositionReleased()
{
    if (duration_ == 0)
        return;
    media_.SeekPercent(positionSlider_->value(), duration_);
    TimerTick();
}

void CDialog_Wave_Play::VolumeChanged()
{
    const int volume = VolumeOfSlider(volumeSlider_->value());
    if (volume >= -10000 && volume <= 0)
        media_.SetVolume(volume);
}

void CDialog_Wave_Play::GraphEvent()
{
    if (media_.HandleGraphEvents() == 1 && media_.StopPlayback() == 1)
        positionSlider_->setValue(0);
}

void CDialog_Wave_Play::OpenOtherFile()
{
    if (media_.playState == 2 && media_.StopPlayback() == 1)
        positionSlider_->setValue(0);
    const QString chosen = FileDialogs::Current().OpenFile(this, kWaveFilter, path_);
    if (chosen.isEmpty())
        return;
    path_ = chosen;
    ShowFile();
    positionSlider_->setValue(0);
}

}  // namespace skarnel
