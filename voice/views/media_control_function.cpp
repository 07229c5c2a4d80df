#include "voice/views/media_control_function.h"

#include "voice/views/qt_media_backend.h"
#include "voice/wave_playback.h"

#include <QApplication>

namespace skarnel {
namespace {

constexpr int kEventComplete = 1;

MediaBackendFactory& InstalledFactory()
{
    static MediaBackendFactory factory;
    return factory;
}

}  // namespace

CMedia_Control_Function::CMedia_Control_Function() = default;

CMedia_Control_Function::~CMedia_Control_Function()
{
    ReleaseGraph();
}

void CMedia_Control_Function::InstallBackendFactory(MediaBackendFactory factory)
{
    InstalledFactory() = std::move(factory);
}

int CMedia_Control_Function::CreateGraph()
{
    graph_ = InstalledFactory() ? InstalledFactory()() : MakeQtMediaBackend();
    loaded = 0;
    unavailableReason_.clear();
    if (!graph_ || !graph_->Available(unavailableReason_)) {
        graph_.reset();
        return -1;
    }
    graph_->onEnd = [this] {
        events_.push_back(kEventComplete);
        if (notifyWindow)
            notifyWindow();
    };
    return 0;
}

int CMedia_Control_Function::ReleaseGraph()
{
    if (graph_)
        graph_->Stop();
    graph_.reset();
    events_.clear();
    loaded = 0;
    playState = 0;
    return 0;
}

int CMedia_Control_Function::RenderWaveFile(const QString& path)
{
    if (!graph_ || !WavePlayTime(path.toStdString()))
        return 1;
    if (!graph_->Load(path))
        return -1;
    loaded = 1;
    return 0;
}

int CMedia_Control_Function::ReadDuration(const QString& path, int64_t& out)
{
    const std::optional<int64_t> playTime = WavePlayTime(path.toStdString());
    if (!playTime)
        return 0;
    duration = *playTime;
    out = duration;
    return 1;
}

int CMedia_Control_Function::OpenMediaFile(const QString& path, int64_t& out)
{
    if (StopPlayback() == 0)
        return 0;
    ReleaseGraph();
    // Without a backend the file's time is still shown; the dialog says why it cannot play.
    if (CreateGraph() >= 0 && RenderWaveFile(path) < 0)
        QApplication::beep();
    return ReadDuration(path, out);
}

int CMedia_Control_Function::StopPlayback()
{
    if (!loaded || playState == 0)
        return 1;
    graph_->Stop();
    graph_->SetPositionMs(0);
    playState = 0;
    return 1;
}

int CMedia_Control_Function::SeekPercent(int percent, int64_t totalDuration)
{
    if (!graph_ || !loaded || totalDuration == 0)
        return 0;
    graph_->SetPositionMs(SeekPosition(percent, totalDuration) / kTicksPerMillisecond);
    return 1;
}

int CMedia_Control_Function::HandleGraphEvents()
{
    int complete = 0;
    while (!events_.empty()) {
        complete |= events_.front() == kEventComplete ? 1 : 0;
        events_.pop_front();
    }
    return complete;
}

bool CMedia_Control_Function::Run()
{
    if (!graph_ || !loaded)
        return false;
    graph_->Play();
    return true;
}

bool CMedia_Control_Function::Pause()
{
    if (!graph_ || !loaded)
        return false;
    graph_->Pause();
    return true;
}

bool CMedia_Control_Function::ReadCurrentPosition(int64_t& position) const
{
    if (!graph_ || !loaded)
        return false;
    position = graph_->PositionMs() * kTicksPerMillisecond;
    return true;
}

void CMedia_Control_Function::SetVolume(int hundredthsDb)
{
    if (graph_)
        graph_->SetVolume(LinearGain(hundredthsDb));
}

}  // namespace skarnel
