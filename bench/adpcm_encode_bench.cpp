// ADPCM encoding throughput (MB/s of 16-bit PCM) and the decoded signal-to-noise ratio at
// resolution 8 on a sentence spoken by espeak-ng, side by side with SoX's IMA ADPCM encoder
// on the same input in the same run. Needs espeak-ng and sox on the PATH.
#include "voice/adpcm_decoder.h"
#include "voice/riff_reader.h"
#include "voice/wave_control.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* kSentence = "Battery low. Please land the model now and check the receiver voltage.";
constexpr int kResolution = 8;
constexpr int kEncodeRounds = 200;
constexpr int kSoxCopies = 200;

bool Run(const std::string& command)
{
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

std::vector<int16_t> ReadSamples(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    const auto chunks = skarnel::LocateWaveChunks(file);
    if (!chunks)
        return {};
    std::vector<int16_t> samples(chunks->dataSize / 2);
    file.clear();
    file.seekg(static_cast<std::streamoff>(chunks->dataOffset));
    file.read(reinterpret_cast<char*>(samples.data()), static_cast<std::streamsize>(samples.size() * 2));
    return samples;
}

double SignalToNoise(const std::vector<int16_t>& original, const std::vector<int16_t>& decoded)
{
    double signal = 0;
    double noise = 0;
    for (size_t i = 0; i < original.size() && i < decoded.size(); ++i) {
        const double wanted = original[i];
        const double error = wanted - decoded[i];
        signal += wanted * wanted;
        noise += error * error;
    }
    return 10 * std::log10(signal / noise);
}

std::vector<uint8_t> Encode(const std::vector<int16_t>& samples)
{
    skarnel::CWave_Control encoder;
    std::vector<uint8_t> stream(samples.size() / 2);
    for (size_t k = 0; k < stream.size(); ++k) {
        const int low = encoder.EncodeSample(samples[2 * k], kResolution);
        const int high = encoder.EncodeSample(samples[2 * k + 1], kResolution);
        stream[k] = static_cast<uint8_t>(low + 16 * high);
    }
    return stream;
}

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

}  // namespace

int main()
{
    const fs::path folder = fs::temp_directory_path() / ("skarnel-adpcm-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path spoken = folder / "spoken.wav";
    const fs::path input = folder / "input.wav";
    if (!Run("espeak-ng -w '" + spoken.string() + "' '" + kSentence + "'") ||
        !Run("sox '" + spoken.string() + "' -r 11025 -c 1 -b 16 -e signed-integer '" + input.string() + "'")) {
        std::fprintf(stderr, "espeak-ng and sox are needed\n");
        return 1;
    }
    const std::vector<int16_t> samples = ReadSamples(input);
    const double megabytes = static_cast<double>(samples.size() * 2) / 1e6;

    // Our encoder, in memory, many rounds.
    std::vector<uint8_t> stream;
    auto start = Clock::now();
    for (int round = 0; round < kEncodeRounds; ++round)
        stream = Encode(samples);
    const double ourRate = megabytes * kEncodeRounds / Seconds(start);
    const double ourSnr = SignalToNoise(samples, skarnel::DecodeAdpcmStream(stream, kResolution));

    // SoX on the same input: encoded once for the ratio, and on many copies for the rate.
    const fs::path soxAdpcm = folder / "sox.wav";
    const fs::path soxDecoded = folder / "sox_decoded.wav";
    Run("sox '" + input.string() + "' -e ima-adpcm '" + soxAdpcm.string() + "'");
    Run("sox '" + soxAdpcm.string() + "' -e signed-integer -b 16 '" + soxDecoded.string() + "'");
    const double soxSnr = SignalToNoise(samples, ReadSamples(soxDecoded));
    const fs::path copies = folder / "copies.wav";
    std::string inputs;
    for (int copy = 0; copy < 20; ++copy)
        inputs += " '" + input.string() + "'";
    Run("sox" + inputs + " '" + copies.string() + "'");
    const double copiesMegabytes = megabytes * 20;
    start = Clock::now();
    for (int round = 0; round < kSoxCopies / 20; ++round)
        Run("sox '" + copies.string() + "' -e ima-adpcm '" + soxAdpcm.string() + "'");
    const double soxRate = copiesMegabytes * (kSoxCopies / 20) / Seconds(start);

    std::printf("input: %zu samples at 11025 Hz (%.2f s), espeak-ng sentence\n", samples.size(),
                static_cast<double>(samples.size()) / 11025.0);
    std::printf("skarnel encoder: %8.1f MB/s of PCM   SNR at resolution %d: %6.2f dB\n", ourRate, kResolution, ourSnr);
    std::printf("sox ima-adpcm:   %8.1f MB/s of PCM   SNR:                 %6.2f dB (process start included)\n",
                soxRate, soxSnr);
    std::printf("SNR difference: %+.2f dB (goal: within 0.2 dB); rate goal: 150 MB/s\n", ourSnr - soxSnr);
    fs::remove_all(folder);
    return 0;
}
