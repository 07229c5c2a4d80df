#include "telemetry/views/live_telemetry_hub.h"

#include <QThread>

namespace skarnel {

void CLive_Telemetry_Hub::AssertOnOwnThread() const
{
    Q_ASSERT(QThread::currentThread() == thread());
}

const LiveTelemetry& CLive_Telemetry_Hub::Data() const
{
    AssertOnOwnThread();
    return data_;
}

void CLive_Telemetry_Hub::Update(int view, const std::function<void(LiveTelemetry&)>& change)
{
    AssertOnOwnThread();
    change(data_);
    if (view != 0)
        emit NewData(view);
}

void CLive_Telemetry_Hub::Announce(int view)
{
    AssertOnOwnThread();
    emit NewData(view);
}

}  // namespace skarnel
