#include "telemetry/views/live_sample.h"

#include "base/reporter.h"
#include "shell/main_frame.h"
#include "telemetry/live_log_sink.h"
#include "telemetry/live_telemetry_feed.h"
#include "telemetry/log_loader.h"
#include "telemetry/views/live_telemetry_hub.h"

namespace skarnel {

bool FeedLiveSample(CMainFrame& mainFrame, const std::string& path)
{
    bool loaded = false;
    mainFrame.LiveData().Update(0, [&](LiveTelemetry& live) {
        LiveTelemetryFeed feed(live);
        NullReporter reporter;
        loaded = LoadLogFile(path, feed, reporter);
    });
    for (int view : {kLiveViewRfDbm, kLiveViewGeneral, kLiveViewReceiver, kLiveViewElectric, kLiveViewGps,
                     kLiveViewVario, kLiveViewGpsCurve})
        mainFrame.LiveData().Update(view, [](LiveTelemetry&) {});
    return loaded;
}

}  // namespace skarnel
