#include "tests/telemetry/recording_sink.h"

#include "base/format.h"

#include <algorithm>

namespace skarnel::test {

void RecordingSink::Add(std::string event)
{
    events.push_back(event);
    if (onEvent)
        onEvent(event);
}

void RecordingSink::Store(int view, const std::function<void(LiveTelemetry&)>& change)
{
    change(live);
    Add(Format("store %d", view));
}

void RecordingSink::RequestOpenView(int view)
{
    Add(Format("open %d", view));
}

void RecordingSink::RequestCloseSensorView(int sensorType)
{
    Add(Format("close 0x%02X", sensorType));
}

void RecordingSink::ShowLight(LiveLogLight light)
{
    static const char* const kNames[] = {"idle", "busy", "good", "failed"};
    Add(std::string("light ") + kNames[static_cast<int>(light)]);
}

void RecordingSink::ShowTime(int64_t hundredths)
{
    Add(Format("time %lld", static_cast<long long>(hundredths)));
}

void RecordingSink::PassWritten(const LivePass& pass)
{
    passes.push_back(pass);
    Add(Format("pass %lld", static_cast<long long>(pass.records)));
}

std::vector<std::string> RecordingSink::ViewRequests() const
{
    std::vector<std::string> requests;
    for (const std::string& event : events) {
        if (event.rfind("open ", 0) == 0 || event.rfind("close ", 0) == 0 || event.rfind("pass ", 0) == 0)
            requests.push_back(event);
    }
    return requests;
}

int RecordingSink::Count(const std::string& event) const
{
    return static_cast<int>(std::count(events.begin(), events.end(), event));
}

}  // namespace skarnel::test
