#include "sim/voice_flash.h"

#include "base/replacing_file.h"

#include <fstream>
#include <system_error>

namespace skarnel::sim {
namespace {

uintmax_t StateFileSize(const VoiceFlash& flash)
{
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(flash.stateFile, error);
    return error ? 0 : size;
}

}  // namespace

std::vector<uint8_t>& VoiceFlash::Memory()
{
    if (bytes.size() != flashSize)
        bytes.assign(flashSize, 0xFF);
    return bytes;
}

bool LoadVoiceFlash(VoiceFlash& flash, std::string& error)
{
    if (flash.stateFile.empty() || !std::filesystem::exists(flash.stateFile))
        return true;
    std::ifstream file(flash.stateFile, std::ios::binary);
    std::vector<uint8_t> bytes(flash.flashSize);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())) ||
        file.peek() != EOF) {
        error = flash.stateFile.string() + " does not hold a voice flash image of " + std::to_string(flash.flashSize) +
                " bytes";
        return false;
    }
    flash.bytes = std::move(bytes);
    return true;
}

void SaveVoiceFlash(VoiceFlash& flash, uint32_t address, size_t size)
{
    if (flash.stateFile.empty())
        return;
    flash.Memory();
    if (StateFileSize(flash) != flash.flashSize) {
        WriteReplacingFile(flash.stateFile, flash.bytes.data(), flash.bytes.size());
        return;
    }
    // A chunk at a time: rewriting the whole image for every 2048 bytes would be slow.
    std::fstream file(flash.stateFile, std::ios::binary | std::ios::in | std::ios::out);
    file.seekp(static_cast<std::streamoff>(address));
    file.write(reinterpret_cast<const char*>(flash.bytes.data() + address), static_cast<std::streamsize>(size));
}

}  // namespace skarnel::sim
