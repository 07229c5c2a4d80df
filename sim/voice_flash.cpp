#include "sim/voice_flash.h"

namespace skarnel::sim {

std::vector<uint8_t>& VoiceFlash::Memory()
{
    if (bytes.size() != flashSize)
        bytes.assign(flashSize, 0xFF);
    return bytes;
}

}  // namespace skarnel::sim
