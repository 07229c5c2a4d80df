// A sound file as the voice views and jobs read it: once named as a WAV file, once as an .apm
// file, described as the file selection does, converted or read, and placed in a voice image.
#include "fuzz/support/agreeing_reporter.h"
#include "fuzz/support/scratch_folder.h"
#include "voice/sound_file.h"
#include "voice/voice_bundle.h"
#include "voice/wave_control.h"

#include <cstddef>
#include <cstdint>
#include <vector>

using namespace skarnel;

namespace {

// The jobs convert with kVoiceResolution; resolution 0 takes 8-bit samples.
constexpr int kResolutions[] = {kVoiceResolution, 0};

void ReadAsWave(const std::filesystem::path& path)
{
    for (const int resolution : kResolutions) {
        CWave_Control wave;
        std::vector<uint8_t> stream;
        wave.ConvertToAdpcm(path, stream, resolution);
    }
}

VoiceSource Source(const std::filesystem::path& path, FileMessage& message)
{
    VoiceSource source{path, path.filename().string()};
    if (const auto figures = DescribeSoundFile(path, message)) {
        source.fileSize = figures->size;
        source.sampleRate = figures->sampleRate;
        PlayTimeText(figures->playTime);
    }
    return source;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::filesystem::path wave = fuzz::WriteInputFile("sound.wav", data, size);
    const std::filesystem::path apm = fuzz::WriteInputFile("sound.apm", data, size);
    FileMessage message;
    const std::vector<VoiceSource> sounds{Source(wave, message), Source(apm, message)};
    ReadAsWave(wave);
    std::vector<uint8_t> stream;
    ReadApmStream(apm, kVoiceModels[0].flashSize, stream);
    fuzz::AgreeingReporter window;
    const StopRequest stop;
    for (const VoiceSource& sound : sounds) {
        VoiceImage image;
        std::string failText;
        BuildVoiceImage({sound}, kVoiceResolution, kVoiceModels[0].flashSize, stop, window, image, failText);
    }
    return 0;
}
