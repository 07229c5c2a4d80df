#pragma once

#include "sim/flight_track.h"
#include "telemetry/telemetry_records.h"

#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace skarnel::sim {

class ControllerEngine;

// One step of a sensor plan: this module type for this many seconds.
struct SensorPlanStep {
    int sensorType = kSensorNone;
    double seconds = 0;
};

// The telemetry the controller collects from the model's receiver. Times count from the first
// telemetry request, on the simulator's clock.
struct TelemetrySettings {
    // The attached sensor module: a SensorType value (kSensorNone: none), or any other byte
    // the controller then reports as its type.
    int sensorType = kSensorGeneral;
    // The modules in turn, repeated from the start when done; empty: sensorType throughout.
    std::vector<SensorPlanStep> sensorPlan;
    FlightField field;
    // Every dropoutPeriod seconds the radio link to the model is lost for dropoutSeconds: the
    // modules read as absent, the receiver's strength and quality fall to 0.
    double dropoutPeriod = 0;
    double dropoutSeconds = 0;
    // From this many seconds on the controller answers no telemetry request; negative: never.
    double deadLinkAfter = -1;
};

// "gps:30,general:30,0x85:10": module names (general, electric, vario, gps, none) or type bytes.
bool ParseSensorPlan(const std::string& text, std::vector<SensorPlanStep>& plan, std::string& error);
// The module attached at that time.
int SensorTypeAt(const TelemetrySettings& settings, double seconds);
bool InDropout(const TelemetrySettings& settings, double seconds);

// --sensor, --sensor-plan, --gps-start, --dropouts, --dead-link-after
void AddTelemetrySimOptions(CLI::App& app, TelemetrySettings& settings);

// The live-log commands of group 4: the sensor type, the RF level table, the receiver and the
// four sensor records. A record of a module that is not attached reads as absent (all zero).
void InstallTelemetryCommands(ControllerEngine& engine, const TelemetrySettings& settings = {});

}  // namespace skarnel::sim
