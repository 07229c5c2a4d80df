#include "sim/telemetry_commands.h"

#include "sim/controller_engine.h"
#include "sim/telemetry_values.h"
#include "telemetry/telemetry_records.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <sstream>

namespace skarnel::sim {
namespace {

constexpr int kGroupTelemetry = 4;
constexpr uint8_t kCodeSensorType = 0x32;
constexpr uint8_t kCodeDbmScan = 0x33;
constexpr uint8_t kCodeReceiver = 0x34;
// Where the receiver's reply keeps its strength, RSSI and quality.
constexpr size_t kReceiverStrength = 6;
constexpr size_t kReceiverRssi = 8;
constexpr size_t kReceiverQuality = 9;
constexpr size_t kRxLevels = 150;
constexpr uint8_t kLostRssi = 100;
constexpr uint8_t kNoiseFloor = 12;

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

const std::map<std::string, int>& SensorNames()
{
    static const std::map<std::string, int> names{{"general", kSensorGeneral},
                                                  {"electric", kSensorElectric},
                                                  {"vario", kSensorVario},
                                                  {"gps", kSensorGps},
                                                  {"none", kSensorNone}};
    return names;
}

// A module name or a type byte ("0x85", "133").
std::optional<int> ParseSensorType(const std::string& text)
{
    std::string lower = text;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (const auto found = SensorNames().find(lower); found != SensorNames().end())
        return found->second;
    try {
        size_t used = 0;
        const int value = std::stoi(lower, &used, 0);
        if (used == lower.size() && value >= 0 && value <= 255)
            return value;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

// What the handlers share: the settings, when telemetry was first asked for, the vario's memory.
struct TelemetryState {
    TelemetrySettings settings;
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
    default: return GpsReply(seconds, state.settings.field);
    }
}

std::vector<uint8_t> ReceiverDuring(double seconds, bool lost)
{
    std::vector<uint8_t> reply = ReceiverReply(seconds);
    if (lost) {
        reply[kReceiverStrength] = 0;
        reply[kReceiverRssi] = kLostRssi;
        reply[kReceiverQuality] = 0;
    }
    return reply;
}

std::vector<uint8_t> DbmScanDuring(double seconds, bool lost)
{
    std::vector<uint8_t> reply = DbmScanReply(seconds);
    if (lost)
        std::fill(reply.begin() + kRxLevels, reply.end(), kNoiseFloor);
    return reply;
}

// A handler that answers from the reply of a time, unless the link is dead by then.
using TimedReply = std::function<std::vector<uint8_t>(double seconds)>;

void OnTimed(ControllerEngine& engine, const std::shared_ptr<TelemetryState>& state, uint8_t code, TimedReply reply)
{
    engine.On(ControllerMode::Application, kGroupTelemetry, code,
              [&engine, state, reply = std::move(reply)](const Request&) -> std::optional<Reply> {
                  const double seconds = state->Seconds(engine.NowNs());
                  const double deadAfter = state->settings.deadLinkAfter;
                  if (deadAfter >= 0 && seconds >= deadAfter)
                      return std::nullopt;
                  return Reply{kAckCode, reply(seconds)};
              });
}

void InstallSensorReplies(ControllerEngine& engine, const std::shared_ptr<TelemetryState>& state)
{
    for (const SensorReply& sensor : kSensorReplies) {
        OnTimed(engine, state, sensor.code, [state, sensor](double seconds) {
            if (SensorTypeAt(state->settings, seconds) != sensor.sensorType || InDropout(state->settings, seconds))
                return std::vector<uint8_t>(sensor.length, 0);
            return ModuleReply(*state, sensor.code, seconds);
        });
    }
}

}  // namespace

bool ParseSensorPlan(const std::string& text, std::vector<SensorPlanStep>& plan, std::string& error)
{
    plan.clear();
    std::stringstream parts(text);
    std::string part;
    while (std::getline(parts, part, ',')) {
        const size_t colon = part.find(':');
        const std::optional<int> type = ParseSensorType(part.substr(0, colon));
        double seconds = 0;
        try {
            seconds = colon == std::string::npos ? 0 : std::stod(part.substr(colon + 1));
        } catch (const std::exception&) {
        }
        if (!type || !(seconds > 0)) {
            error = "a sensor plan step is TYPE:SECONDS, not \"" + part + "\"";
            return false;
        }
        plan.push_back({*type, seconds});
    }
    if (plan.empty())
        error = "the sensor plan is empty";
    return !plan.empty();
}

int SensorTypeAt(const TelemetrySettings& settings, double seconds)
{
    double total = 0;
    for (const SensorPlanStep& step : settings.sensorPlan)
        total += step.seconds;
    if (settings.sensorPlan.empty() || total <= 0)
        return settings.sensorType;
    double into = std::fmod(std::max(seconds, 0.0), total);
    for (const SensorPlanStep& step : settings.sensorPlan) {
        if (into < step.seconds)
            return step.sensorType;
        into -= step.seconds;
    }
    return settings.sensorPlan.back().sensorType;
}

bool InDropout(const TelemetrySettings& settings, double seconds)
{
    if (settings.dropoutPeriod <= 0 || settings.dropoutSeconds <= 0)
        return false;
    // The first dropout comes one period in, so a recording starts on a good link.
    const double into = std::fmod(seconds, settings.dropoutPeriod);
    return seconds >= settings.dropoutPeriod && into < settings.dropoutSeconds;
}

void AddTelemetrySimOptions(CLI::App& app, TelemetrySettings& settings)
{
    app.add_option_function<std::string>(
           "--sensor",
           [&settings](const std::string& text) {
               const std::optional<int> type = ParseSensorType(text);
               if (!type)
                   throw CLI::ValidationError("--sensor", "unknown module \"" + text + "\"");
               settings.sensorType = *type;
           },
           "Sensor module attached to the receiver: general, electric, vario, gps, none or a type byte "
           "such as 0x85 (default general)")
        ->option_text("general|electric|vario|gps|none|BYTE");
    app.add_option_function<std::string>(
           "--sensor-plan",
           [&settings](const std::string& text) {
               std::string error;
               if (!ParseSensorPlan(text, settings.sensorPlan, error))
                   throw CLI::ValidationError("--sensor-plan", error);
           },
           "Modules in turn, repeated: TYPE:SECONDS,... (e.g. gps:30,general:30,0x85:10)")
        ->option_text("TYPE:S,...");
    app.add_option_function<std::vector<double>>(
           "--gps-start",
           [&settings](const std::vector<double>& at) {
               settings.field = {at.at(0), at.at(1)};
           },
           "Where the GPS module's laps start, in degrees (negative south and west; default 37.558333,126.97)")
        ->delimiter(',')
        ->expected(2)
        ->check(CLI::Range(-180.0, 180.0))
        ->option_text("LAT,LON");
    app.add_option_function<std::vector<double>>(
           "--dropouts",
           [&settings](const std::vector<double>& values) {
               settings.dropoutPeriod = values.at(0);
               settings.dropoutSeconds = values.at(1);
           },
           "Lose the radio link to the model every PERIOD seconds for SECONDS")
        ->delimiter(':')
        ->expected(2)
        ->check(CLI::PositiveNumber)
        ->option_text("PERIOD:SECONDS");
    app.add_option("--dead-link-after", settings.deadLinkAfter,
                   "Stop answering telemetry requests this many seconds after the first one")
        ->check(CLI::NonNegativeNumber)
        ->option_text("SECONDS");
}

void InstallTelemetryCommands(ControllerEngine& engine, const TelemetrySettings& settings)
{
    auto state = std::make_shared<TelemetryState>(TelemetryState{settings, std::nullopt, {}});
    OnTimed(engine, state, kCodeSensorType, [state](double seconds) {
        return std::vector<uint8_t>{static_cast<uint8_t>(SensorTypeAt(state->settings, seconds))};
    });
    OnTimed(engine, state, kCodeDbmScan,
            [state](double seconds) { return DbmScanDuring(seconds, InDropout(state->settings, seconds)); });
    OnTimed(engine, state, kCodeReceiver,
            [state](double seconds) { return ReceiverDuring(seconds, InDropout(state->settings, seconds)); });
    InstallSensorReplies(engine, state);
}

}  // namespace skarnel::sim
