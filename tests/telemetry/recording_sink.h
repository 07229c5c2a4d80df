#pragma once

#include "base/job.h"
#include "telemetry/live_log_sink.h"
#include "telemetry/live_telemetry.h"

#include <functional>
#include <string>
#include <vector>

namespace skarnel::test {

// Owns the LiveTelemetry a recording fills and writes down what the recorder asked for, as
// "open 16", "close 0x8A", "store 14", "light good", "time 123", "pass 3". `onEvent` sees each
// event as it happens, for tests that stop a recording at a chosen point.
class RecordingSink final : public LiveLogSink {
public:
    void Store(int view, const std::function<void(LiveTelemetry&)>& change) override;
    void RequestOpenView(int view) override;
    void RequestCloseSensorView(int sensorType) override;
    void ShowLight(LiveLogLight light) override;
    void ShowTime(int64_t hundredths) override;
    void PassWritten(const LivePass& pass) override;

    // The events of the view requests only, in order.
    std::vector<std::string> ViewRequests() const;
    int Count(const std::string& event) const;

    LiveTelemetry live;
    std::vector<std::string> events;
    std::vector<LivePass> passes;
    std::function<void(const std::string&)> onEvent;

private:
    void Add(std::string event);
};

}  // namespace skarnel::test
