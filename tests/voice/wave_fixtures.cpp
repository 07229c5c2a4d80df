#include "tests/voice/wave_fixtures.h"

#include "base/byte_order.h"

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

std::vector<uint8_t> FormatBody(const WaveLayout& layout)
{
    const auto blockAlign = static_cast<uint16_t>(layout.channels * layout.bitsPerSample / 8);
    std::vector<uint8_t> body;
    AppendLe16(body, layout.formatTag);
    AppendLe16(body, layout.channels);
    AppendLe32(body, layout.sampleRate);
    AppendLe32(body, layout.sampleRate * blockAlign);
    AppendLe16(body, blockAlign);
    AppendLe16(body, layout.bitsPerSample);
    body.resize(layout.formatSize, 0);
    return body;
}

}  // namespace

std::vector<uint8_t> WaveBytes(const WaveLayout& layout)
{
    std::vector<uint8_t> body(layout.formType.begin(), layout.formType.end());
    if (!layout.junkBeforeFormat.empty())
        AppendChunk(body, "LIST", layout.junkBeforeFormat);
    if (layout.dataBeforeFormat)
        AppendChunk(body, "data", layout.data);
    AppendChunk(body, "fmt ", FormatBody(layout));
    if (!layout.dataBeforeFormat)
        AppendChunk(body, "data", layout.data);
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
    WaveLayout layout;
    layout.data = data;
    return WaveBytes(layout);
}

}  // namespace skarnel::test
