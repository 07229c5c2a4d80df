#include "tests/support/temp_folder.h"
#include "tests/voice/wave_fixtures.h"
#include "voice/adpcm_decoder.h"
#include "voice/riff_reader.h"
#include "voice/wave_control.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

namespace skarnel::test {
namespace {

std::vector<int16_t> Sweep(size_t count)
{
    std::vector<int16_t> samples(count);
    for (size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i);
        samples[i] = static_cast<int16_t>(12000 * std::sin(t * t / 40000.0) + (i % 97 == 0 ? 20000 : 0));
    }
    return samples;
}

// At every resolution the decoder follows the encoder's own predictor code by code.
TEST(AdpcmDecoder, FollowsTheEncodersPredictorAtEveryResolution)
{
    const std::vector<int16_t> samples = Sweep(5000);
    for (int resolution = 0; resolution <= kMaxResolution; ++resolution) {
        CWave_Control encoder;
        encoder.predictor = resolution == 0 ? 128 : 0;
        encoder.stepIndex = 0;
        AdpcmDecoder decoder(resolution);
        for (size_t i = 0; i < samples.size(); ++i) {
            const int input = resolution == 0 ? (samples[i] >> 8) + 128 : samples[i] / (1 << (8 - resolution));
            const int code = encoder.EncodeSample(input, resolution);
            ASSERT_EQ(decoder.DecodeCode(code), encoder.predictor) << "resolution " << resolution << " sample " << i;
        }
    }
}

double SignalToNoise(const std::vector<int16_t>& original, const std::vector<int16_t>& decoded)
{
    double signal = 0;
    double noise = 0;
    for (size_t i = 0; i < original.size() && i < decoded.size(); ++i) {
        const double wanted = static_cast<double>(original[i]);
        const double error = wanted - static_cast<double>(decoded[i]);
        signal += wanted * wanted;
        noise += error * error;
    }
    return 10 * std::log10(signal / noise);
}

TEST(AdpcmDecoder, PreviewIsTheSoundAtTheControllersResolution)
{
    TempFolder files;
    std::vector<int16_t> tone(11025);
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = static_cast<int16_t>(9000 * std::sin(static_cast<double>(i) / 6.0));
    const std::string source = files.Write("tone.wav", MonoWave(Samples16(tone)));
    ASSERT_TRUE(WriteVoicePreview(source, files.Path("preview.wav")));

    std::ifstream preview(files.Path("preview.wav"), std::ios::binary);
    const auto chunks = LocateWaveChunks(preview);
    ASSERT_TRUE(chunks);
    EXPECT_EQ(chunks->format[2], 1);                   // mono
    EXPECT_EQ(chunks->format[14], 16);                 // bits a sample
    EXPECT_EQ(chunks->dataSize, tone.size() / 2 * 4);  // whole pairs of samples
    uint32_t estimate = 0, rate = 0, byteRate = 0;
    EXPECT_EQ(CWave_Control::CheckWaveFile(files.Path("preview.wav"), estimate, rate, byteRate), kWaveAccepted);
    EXPECT_EQ(rate, 11025u);

    CWave_Control control;
    std::vector<uint8_t> stream;
    ASSERT_GT(control.ConvertToAdpcm(source, stream, kVoiceResolution), 0);
    EXPECT_GT(SignalToNoise(tone, DecodeAdpcmStream(stream, kVoiceResolution)), 20.0);
    EXPECT_FALSE(WriteVoicePreview(files.Path("missing.wav"), files.Path("x.wav")));
}

}  // namespace
}  // namespace skarnel::test
