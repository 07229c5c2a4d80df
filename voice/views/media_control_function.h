#pragma once

#include <QString>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>

namespace skarnel {

// What plays a sound on the PC: a media player, or a stand-in in tests. Positions in
// milliseconds; the end of the media is told through onEnd.
class MediaBackend {
public:
    virtual ~MediaBackend() = default;
    // False, with the reason, when nothing can be played (no sound device, no media service).
    virtual bool Available(QString& why) const = 0;
    virtual bool Load(const QString& path) = 0;
    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    virtual int64_t PositionMs() const = 0;
    virtual void SetPositionMs(int64_t position) = 0;
    virtual void SetVolume(float linearGain) = 0;

    std::function<void()> onEnd;
};

using MediaBackendFactory = std::function<std::unique_ptr<MediaBackend>()>;

// The playback of one WAV file for the wave player: the media graph's operations on a media
// backend. Times in 100-ns units; playState 0 stopped, 1 paused, 2 playing.
class CMedia_Control_Function {
public:
    CMedia_Control_Function();
    ~CMedia_Control_Function();

    // A negative status when no backend can play; the reason in UnavailableReason.
    int CreateGraph();
    int ReleaseGraph();
    // 0 when the file was rendered, 1 when it is no WAV file or there is no graph (nothing
    // loaded), negative when the backend refused it.
    int RenderWaveFile(const QString& path);
    // The duration from the WAV file's own header, so that it is known without a backend.
    int ReadDuration(const QString& path, int64_t& out);
    int OpenMediaFile(const QString& path, int64_t& out);
    int StopPlayback();
    int SeekPercent(int percent, int64_t totalDuration);
    // Whether one of the waiting events was the end of the media.
    int HandleGraphEvents();
    // Run and pause the graph; false when nothing is loaded.
    bool Run();
    bool Pause();
    bool ReadCurrentPosition(int64_t& position) const;
    void SetVolume(int hundredthsDb);

    bool HasGraph() const { return graph_ != nullptr; }
    const QString& UnavailableReason() const { return unavailableReason_; }

    int32_t loaded = 0;
    int32_t playState = 0;
    int64_t duration = 0;
    // Told when an event waits, as the graph posts its message to the dialog.
    std::function<void()> notifyWindow;

    // Replaces the backend of every player made afterwards (an empty factory restores the
    // media player).
    static void InstallBackendFactory(MediaBackendFactory factory);

private:
    std::unique_ptr<MediaBackend> graph_;
    std::deque<int> events_;
    QString unavailableReason_;
};

}  // namespace skarnel
