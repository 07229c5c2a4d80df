// The controller's product information, version addresses and clock as the Firmware view,
// the upgrade and the clock commands read and show them. Input: the reply script.
#include "fuzz/sessions/sessions.h"

using namespace skarnel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::RunScripted(fuzz::kProductInfoSession, data, size);
    return 0;
}
