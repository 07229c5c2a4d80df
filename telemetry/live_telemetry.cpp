#include "telemetry/live_telemetry.h"

#include <algorithm>

namespace skarnel {

void LiveTelemetry::ClearForStart()
{
    txLevel.fill(0);
    rxLevel.fill(0);
    txMax.fill(0);
    rxMax.fill(0);
    path.Reset();
}

void LiveTelemetry::StoreRfLevels(const DbmScan& scan)
{
    for (size_t channel = 0; channel < kRfChannelCount; ++channel) {
        txLevel[channel] = scan.txLevel[channel];
        rxLevel[channel] = scan.rxLevel[channel];
        txMax[channel] = std::max(txMax[channel], txLevel[channel]);
        rxMax[channel] = std::max(rxMax[channel], rxLevel[channel]);
    }
}

}  // namespace skarnel
