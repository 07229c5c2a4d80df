#include "tests/voice/wave_fixtures.h"

#include "link/byte_order.h"

namespace skarnel::test {
namespace {

void AppendLe32(std::vector<uint8_t>& bytes, uint32_t value)
{
    uint8_t le[4];
    WriteLe32(le, value);
    bytes.insert(bytes.end(), le, le + 4);
}

void AppendLe16(std::vector<uint8_t>& bytes, uint16_t value)
{
    uint8_t le[2];
    WriteLe16(le, value);
    bytes.insert(bytes.end(), le, le + 2);
}

void AppendChunk(std::vector<uint8_t>& bytes, const std::string& id, const std::vector<uint8_t>& body)
{
    bytes.insert(bytes.end(), id.begin(), id.end());
    AppendLe32(bytes, static_cast<uint32_t>(body.size()));
    bytes.insert(bytes.end(), body.begin(), body.end());
    if (body.size() % 2)
        bytes.push_back(0);
}

std::vector<uint8_t> FormatBody(const WaveSpec& spec)
{
    const auto blockAlign = static_cast<uint16_t>(spec.channels * spec.bitsPerSample / 8);
    std::vector<uint8_t> body;
    AppendLe16(body, spec.formatTag);
    AppendLe16(body, spec.channels);
    AppendLe32(body, spec.sampleRate);
    AppendLe32(body, spec.sampleRate * blockAlign);
    AppendLe16(body, blockAlign);
    AppendLe16(body, spec.bitsPerSample);
    body.resize(spec.formatSize, 0);
    return body;
}

}  // namespace

std::vector<uint8_t> WaveBytes(const WaveSpec& spec)
{
    std::vector<uint8_t> body(spec.formType.begin(), spec.formType.end());
    if (!spec.junkBeforeFormat.empty())
        AppendChunk(body, "LIST", spec.junkBeforeFormat);
    if (spec.dataBeforeFormat)
        AppendChunk(body, "data", spec.data);
    AppendChunk(body, "fmt ", FormatBody(spec));
    if (!spec.dataBeforeFormat)
        AppendChunk(body, "data", spec.data);
    std::vector<uint8_t> bytes;
    AppendChunk(bytes, "RIFF", body);
    return bytes;
}

std::vector<uint8_t> Samples16(const std::vector<int16_t>& samples)
{
    std::vector<uint8_t> bytes;
    for (int16_t sample : samples)
        AppendLe16(bytes, static_cast<uint16_t>(sample));
    return bytes;
}

std::vector<uint8_t> MonoWave(const std::vector<uint8_t>& data)
{
    WaveSpec spec;
    spec.data = data;
    return WaveBytes(spec);
}

}  // namespace skarnel::test
