#pragma once

#include <cstdint>
#include <functional>

namespace skarnel {

struct LiveTelemetry;

// The live views the recorder names by their view numbers.
enum LiveView : int {
    kLiveViewRfDbm = 10,
    kLiveViewGeneral = 13,
    kLiveViewReceiver = 14,
    kLiveViewElectric = 15,
    kLiveViewGps = 16,
    kLiveViewVario = 17,
    kLiveViewGpsCurve = 21,
};

// The recorder's status picture.
enum class LiveLogLight { Idle, Busy, Good, Failed };

// What the recorder shows at the end of each written pass.
struct LivePass {
    int64_t time = 0;  // hundredths of a second since the start
    int sensorType = 0;
    int failures = 0;  // the consecutive-failure counter
    int64_t records = 0;
};

// Where the recorder's results go, in the recorder's order. Store waits until the owner of the
// LiveTelemetry has applied the change and told the view; the view requests are posted.
class LiveLogSink {
public:
    virtual ~LiveLogSink() = default;
    // Applies `change` to the owner's LiveTelemetry and tells the live view `view` (a
    // LiveView, or 0 for none) that new data is there; returns once both are done.
    virtual void Store(int view, const std::function<void(LiveTelemetry&)>& change) = 0;
    // Asks for the live view of that number to be opened or brought to the front.
    virtual void RequestOpenView(int view) = 0;
    // Asks for the live view of that sensor type to be closed (other types close nothing).
    virtual void RequestCloseSensorView(int sensorType) = 0;
    virtual void ShowLight(LiveLogLight light) = 0;
    // The last time stamp, in hundredths of a second.
    virtual void ShowTime(int64_t hundredths) = 0;
    virtual void PassWritten(const LivePass&) {}
};

}  // namespace skarnel
