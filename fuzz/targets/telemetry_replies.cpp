// The live telemetry replies (sensor type, RF level table, receiver and the four sensor
// records) as the live views read them and turn them into list cells.
// Input: the reply script.
#include "fuzz/sessions/sessions.h"

using namespace skarnel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::RunScripted(fuzz::kTelemetrySession, data, size);
    return 0;
}
