#pragma once

#include "telemetry/live_telemetry.h"

#include <QObject>

#include <functional>

namespace skarnel {

// The application's LiveTelemetry, owned by the main frame on the user-interface thread. A
// producer (the live recorder, the file replay) changes it there with Update, which then tells
// the view concerned through NewData; a live view copies what it shows from Data() in its slot
// and in its painting. Nothing else reads or writes it, so no lock is needed: the recorder's
// worker hands each record over with a blocking call into this thread.
class CLive_Telemetry_Hub final : public QObject {
    Q_OBJECT
public:
    explicit CLive_Telemetry_Hub(QObject* parent = nullptr) : QObject(parent) {}

    // The latest telemetry; on the user-interface thread only.
    const LiveTelemetry& Data() const;
    // Applies a producer's change and announces new data for the view of that number (0: none).
    void Update(int view, const std::function<void(LiveTelemetry&)>& change);
    // Announces new data kept outside LiveTelemetry, such as new map pages.
    void Announce(int view);

signals:
    // New data for the live view of that number: 10 RF levels, 13 general, 14 receiver,
    // 15 electric, 16 GPS, 17 vario, 20 new map pages, 21 the flight path's current point.
    void NewData(int view);

private:
    void AssertOnOwnThread() const;

    LiveTelemetry data_;
};

}  // namespace skarnel
