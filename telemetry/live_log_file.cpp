#include "telemetry/live_log_file.h"

#include "base/byte_order.h"
#include "base/file_magic.h"

namespace skarnel {

std::array<uint8_t, kLiveLogHeaderSize> LiveLogHeader()
{
    std::array<uint8_t, kLiveLogHeaderSize> header{};
    WriteLe32(header.data(), FileMagic);
    WriteLe32(header.data() + 4, kLiveLogSecondWord);
    WriteLe32(header.data() + 8, kLiveLogThirdWord);
    return header;
}

bool LiveLogHeaderMatches(std::span<const uint8_t, kLiveLogHeaderSize> header)
{
    return ReadLe32(header.data()) == FileMagic && ReadLe32(header.data() + 4) == kLiveLogSecondWord &&
           ReadLe32(header.data() + 8) == kLiveLogThirdWord;
}

bool LiveLogWriter::Create(const std::string& path)
{
    file_.open(path, std::ios::binary | std::ios::trunc);
    const auto header = LiveLogHeader();
    file_.write(reinterpret_cast<const char*>(header.data()), static_cast<std::streamsize>(header.size()));
    return file_.good();
}

bool LiveLogWriter::Append(const LiveLogRecord& record)
{
    file_.write(reinterpret_cast<const char*>(&record), sizeof record);
    return file_.good();
}

bool LiveLogWriter::Close()
{
    if (!file_.is_open())
        return false;
    file_.close();
    return !file_.fail();
}

}  // namespace skarnel
