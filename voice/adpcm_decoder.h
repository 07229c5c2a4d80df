#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace skarnel {

// Turns the controller's 4-bit ADPCM stream back into 16-bit samples: the encoder's step
// tables run backwards from predictor and step index 0, two samples a byte, the low nibble
// first. The predictor is scaled back from the resolution's bits to 16 bits.
class AdpcmDecoder {
public:
    explicit AdpcmDecoder(int resolution);
    // The predictor after the code, at the resolution's scale (the encoder's own predictor).
    int DecodeCode(int code);
    int16_t Sample16() const;

private:
    int resolution_;
    int predictor_;
    int stepIndex_ = 0;
};

std::vector<int16_t> DecodeAdpcmStream(const std::vector<uint8_t>& stream, int resolution);

// A 16-bit mono PCM WAV file of the samples, written whole or not at all.
bool WriteMonoWave(const std::filesystem::path& path, const std::vector<int16_t>& samples, uint32_t sampleRate);

// What the controller will play of a WAV file: encoded at the voice jobs' resolution and
// decoded back at the file's rate. False when the file cannot be converted or written.
bool WriteVoicePreview(const std::filesystem::path& wave, const std::filesystem::path& target);

}  // namespace skarnel
