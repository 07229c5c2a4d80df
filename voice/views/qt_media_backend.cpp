#include "voice/views/qt_media_backend.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

namespace skarnel {
namespace {

class QtMediaBackend final : public MediaBackend {
public:
    QtMediaBackend()
    {
        player_.setAudioOutput(&output_);
        QObject::connect(&player_, &QMediaPlayer::mediaStatusChanged, [this](QMediaPlayer::MediaStatus status) {
            if (status == QMediaPlayer::EndOfMedia && onEnd)
                onEnd();
        });
    }

    bool Available(QString& why) const override
    {
        if (QMediaDevices::defaultAudioOutput().isNull()) {
            why = "Playback unavailable: no sound device";
            return false;
        }
        if (!player_.isAvailable()) {
            why = "Playback unavailable: no media service";
            return false;
        }
        return true;
    }
    bool Load(const QString& path) override
    {
        player_.setSource(QUrl::fromLocalFile(path));
        return player_.error() == QMediaPlayer::NoError;
    }
    void Play() override { player_.play(); }
    void Pause() override { player_.pause(); }
    void Stop() override { player_.stop(); }
    int64_t PositionMs() const override { return player_.position(); }
    void SetPositionMs(int64_t position) override { player_.setPosition(position); }
    void SetVolume(float linearGain) override { output_.setVolume(linearGain); }

private:
    QMediaPlayer player_;
    QAudioOutput output_;
};

}  // namespace

std::unique_ptr<MediaBackend> MakeQtMediaBackend()
{
    return std::make_unique<QtMediaBackend>();
}

}  // namespace skarnel
