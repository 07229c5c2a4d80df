// The SD card's replies (disk space, folder entries, file status, file data, result codes)
// as the SD card view reads them: start, list the root, size its files, copy them to the PC.
// Input: the reply script.
#include "fuzz/sessions/sessions.h"

using namespace skarnel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::RunScripted(fuzz::kCardSession, data, size);
    return 0;
}
