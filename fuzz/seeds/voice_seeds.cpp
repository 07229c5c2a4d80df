#include "base/byte_order.h"
#include "base/job.h"
#include "base/reporter.h"
#include "fuzz/seeds/seed_files.h"
#include "fuzz/support/scratch_folder.h"
#include "voice/riff_reader.h"
#include "voice/sound_file.h"
#include "voice/voice_bundle.h"
#include "voice/wave_control.h"

#include <cmath>
#include <stdexcept>

namespace skarnel::fuzz {
namespace {

constexpr size_t kSampleCount = 400;
constexpr uint32_t kVoiceDataVersion = 2;

struct WaveShape {
    uint32_t sampleRate;
    uint16_t bitsPerSample;
    bool listChunkFirst;  // a LIST chunk of odd size before "fmt ", as editors write them
};

void AppendChunk(std::vector<uint8_t>& bytes, const char* id, const std::vector<uint8_t>& body)
{
    bytes.insert(bytes.end(), id, id + 4);
    uint8_t size[4];
    WriteLe32(size, static_cast<uint32_t>(body.size()));
    bytes.insert(bytes.end(), size, size + 4);
    bytes.insert(bytes.end(), body.begin(), body.end());
    if (body.size() % 2 != 0)
        bytes.push_back(0);
}

std::vector<uint8_t> Samples(const WaveShape& shape)
{
    std::vector<uint8_t> data;
    for (size_t k = 0; k < kSampleCount; ++k) {
        const double wave = std::sin(static_cast<double>(k) * 0.2);
        if (shape.bitsPerSample == 8) {
            data.push_back(static_cast<uint8_t>(128 + 100 * wave));
        } else {
            uint8_t sample[2];
            WriteLe16(sample, static_cast<uint16_t>(static_cast<int16_t>(12000 * wave)));
            data.insert(data.end(), sample, sample + 2);
        }
    }
    return data;
}

std::vector<uint8_t> Wave(const WaveShape& shape)
{
    const uint16_t blockAlign = shape.bitsPerSample / 8;
    std::vector<uint8_t> format(WaveChunks::kFormatSize);
    WriteLe16(format.data(), 1);
    WriteLe16(format.data() + 2, 1);
    WriteLe32(format.data() + 4, shape.sampleRate);
    WriteLe32(format.data() + 8, shape.sampleRate * blockAlign);
    WriteLe16(format.data() + 12, blockAlign);
    WriteLe16(format.data() + 14, shape.bitsPerSample);
    std::vector<uint8_t> form{'W', 'A', 'V', 'E'};
    if (shape.listChunkFirst)
        AppendChunk(form, "LIST", {'I', 'N', 'F', 'O', 'I', 'S', 'F', 'T', 3, 0, 0, 0, 'f', 'z', 0});
    AppendChunk(form, "fmt ", format);
    AppendChunk(form, "data", Samples(shape));
    std::vector<uint8_t> riff;
    AppendChunk(riff, "RIFF", form);
    return riff;
}

std::filesystem::path ApmOf(const std::filesystem::path& wave)
{
    CWave_Control control;
    std::vector<uint8_t> stream;
    if (control.ConvertToAdpcm(wave, stream, kVoiceResolution) == 0)
        throw std::runtime_error("the seed sound does not convert");
    std::filesystem::path apm = wave;
    apm.replace_extension(".apm");
    if (!WriteApmFile(apm, control.waveFormat.samplesPerSec, stream))
        throw std::runtime_error("cannot write " + apm.string());
    return apm;
}

std::filesystem::path Bundle(const std::vector<std::filesystem::path>& sounds)
{
    std::vector<VoiceSource> sources;
    for (const std::filesystem::path& path : sounds)
        sources.push_back({path, path.filename().string(), std::filesystem::file_size(path), 11025});
    const std::filesystem::path target = ScratchFolder() / "voice.vdf";
    const VoiceModel& model = kVoiceModels[0];
    const StopRequest stop;
    std::string finalText;
    if (!PackageVoiceBundle(sources, target, kVoiceDataVersion, model.modelCode, model.flashSize, stop,
                            NullReporter::Instance(), finalText))
        throw std::runtime_error("the bundle failed: " + finalText);
    return target;
}

}  // namespace

void WriteVoiceSeeds(const std::filesystem::path& corpus)
{
    const SeedFolder sounds(corpus, "sound_file");
    const std::vector<uint8_t> wave11k = Wave({11025, 16, false});
    const std::filesystem::path wave = WriteInputFile("hello.wav", wave11k.data(), wave11k.size());
    const std::filesystem::path apm = ApmOf(wave);
    sounds.Write("wave_11k", wave11k);
    sounds.Write("wave_8k_list_chunk", Wave({8000, 16, true}));
    sounds.Write("wave_8bit", Wave({11025, 8, false}));
    sounds.Take("apm", apm);

    SeedFolder(corpus, "voice_bundle").Take("two_sounds", Bundle({wave, apm}));
}

}  // namespace skarnel::fuzz
