#include "sim/telemetry_commands.h"

#include "sim/controller_engine.h"
#include "sim/telemetry_values.h"
#include "telemetry/telemetry_records.h"

#include <CLI/CLI.hpp>
#include <map>
#include <memory>
#include <optional>

namespace skarnel::sim {
namespace {

constexpr int kGroupTelemetry = 4;

struct SensorReply {
    uint8_t code;
    int sensorType;
    size_t length;
};

constexpr SensorReply kSensorReplies[] = {
    {0x35, kSensorGeneral, kGeneralReplySize},
    {0x36, kSensorElectric, kElectricReplySize},
    {0x37, kSensorVario, kVarioReplySize},
    {0x38, kSensorGps, kGpsReplySize},
};

// What the handlers share: the module, when telemetry was first asked for, the vario's memory.
struct TelemetryState {
    int sensorType;
    std::optional<int64_t> startNs;
    VarioModule vario;

    double Seconds(int64_t nowNs)
    {
        if (!startNs)
            startNs = nowNs;
        return static_cast<double>(nowNs - *startNs) / 1e9;
    }
};

std::vector<uint8_t> ModuleReply(TelemetryState& state, uint8_t code, double seconds)
{
    switch (code) {
    case 0x35: return GeneralReply(seconds);
    case 0x36: return ElectricReply(seconds);
    case 0x37: return state.vario.Reply(seconds);
    default: return GpsReply(seconds);
    }
}

void InstallSensorReplies(ControllerEngine& engine, const std::shared_ptr<TelemetryState>& state)
{
    for (const SensorReply& sensor : kSensorReplies) {
        engine.On(ControllerMode::Application, kGroupTelemetry, sensor.code, [&engine, state, sensor](const Request&) {
            if (state->sensorType != sensor.sensorType)
                return Reply{kAckCode, std::vector<uint8_t>(sensor.length, 0)};
            return Reply{kAckCode, ModuleReply(*state, sensor.code, state->Seconds(engine.NowNs()))};
        });
    }
}

}  // namespace

void AddTelemetrySimOptions(CLI::App& app, TelemetrySettings& settings)
{
    const std::map<std::string, int> sensors{{"general", kSensorGeneral},
                                             {"electric", kSensorElectric},
                                             {"vario", kSensorVario},
                                             {"gps", kSensorGps},
                                             {"none", kSensorNone}};
    app.add_option("--sensor", settings.sensorType,
                   "Sensor module attached to the receiver: general, electric, "
                   "vario, gps or none (default general)")
        ->transform(CLI::CheckedTransformer(sensors, CLI::ignore_case))
        ->option_text("general|electric|vario|gps|none");
}

void InstallTelemetryCommands(ControllerEngine& engine, const TelemetrySettings& settings)
{
    auto state = std::make_shared<TelemetryState>(TelemetryState{settings.sensorType, std::nullopt, {}});
    const auto on = [&engine](uint8_t code, std::function<std::vector<uint8_t>()> reply) {
        engine.On(ControllerMode::Application, kGroupTelemetry, code, [reply = std::move(reply)](const Request&) {
            return Reply{kAckCode, reply()};
        });
    };
    on(0x32, [state] { return std::vector<uint8_t>{static_cast<uint8_t>(state->sensorType)}; });
    on(0x33, [&engine, state] { return DbmScanReply(state->Seconds(engine.NowNs())); });
    on(0x34, [&engine, state] { return ReceiverReply(state->Seconds(engine.NowNs())); });
    InstallSensorReplies(engine, state);
}

}  // namespace skarnel::sim
