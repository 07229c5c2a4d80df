#pragma once

#include "telemetry/telemetry_records.h"

namespace CLI {
class App;
}

namespace skarnel::sim {

class ControllerEngine;

// The telemetry the controller collects from the model's receiver.
struct TelemetrySettings {
    // The attached sensor module: a SensorType value (kSensorNone: none).
    int sensorType = kSensorGeneral;
};

// --sensor general|electric|vario|gps|none
void AddTelemetrySimOptions(CLI::App& app, TelemetrySettings& settings);

// The live-log commands of group 4: the sensor type, the RF level table, the receiver and the
// four sensor records. A record of a module that is not attached reads as absent (all zero).
void InstallTelemetryCommands(ControllerEngine& engine, const TelemetrySettings& settings = {});

}  // namespace skarnel::sim
