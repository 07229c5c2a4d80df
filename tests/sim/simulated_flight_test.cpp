#include "sim/flight_track.h"
#include "sim/telemetry_commands.h"
#include "sim/telemetry_values.h"

#include <gtest/gtest.h>

#include <cmath>

namespace skarnel::sim {
namespace {

TEST(SimulatedFlight, LapsTheFieldFastOnTheStraightsAndSlowInTheTurns)
{
    const FlightField field{48.1, -11.5};
    const FlightPoint start = FlightAt(0, field);
    EXPECT_DOUBLE_EQ(start.latitude, 48.1);
    EXPECT_DOUBLE_EQ(start.longitude, -11.5);
    EXPECT_DOUBLE_EQ(start.heading, 90);
    EXPECT_DOUBLE_EQ(start.altitude, 0) << "on the ground at the start";

    const FlightPoint apex = FlightAt(15, field);  // a quarter lap: the eastern turn's apex
    EXPECT_NEAR(apex.heading, 0, 1) << "flying north";
    EXPECT_LT(apex.speed, start.speed * 0.6);
    EXPECT_NEAR(apex.distance, std::hypot(210, 60), 1);

    const FlightPoint back = FlightAt(60, field);
    EXPECT_NEAR(back.latitude, 48.1, 1e-9) << "a lap a minute";
    EXPECT_NEAR(back.longitude, -11.5, 1e-9);
    EXPECT_GT(back.altitude, 40);

    const FlightPoint west = FlightAt(30, field);  // half a lap: the northern straight
    EXPECT_DOUBLE_EQ(west.heading, 270);
    EXPECT_NEAR((west.latitude - 48.1) * 111320, 120, 0.5);
    EXPECT_EQ(GpsReply(30, field), GpsReply(30, field)) << "the same time gives the same reply";
}

TEST(SimulatedFlight, SensorPlansAndDropoutsFollowTheClock)
{
    TelemetrySettings settings;
    std::string error;
    ASSERT_TRUE(ParseSensorPlan("gps:30,General:10,0x85:5", settings.sensorPlan, error)) << error;
    struct {
        double seconds;
        int type;
    } const cases[] = {{0, kSensorGps}, {29.9, kSensorGps}, {30, kSensorGeneral}, {42, 0x85}, {45, kSensorGps}};
    for (const auto& c : cases)
        EXPECT_EQ(SensorTypeAt(settings, c.seconds), c.type) << c.seconds;
    for (const char* bad : {"", "gps", "gps:0", "kite:10", "gps:10,,vario:5", "0x100:4"})
        EXPECT_FALSE(ParseSensorPlan(bad, settings.sensorPlan, error)) << bad;

    settings.dropoutPeriod = 20;
    settings.dropoutSeconds = 2;
    EXPECT_FALSE(InDropout(settings, 1)) << "a recording starts on a good link";
    EXPECT_TRUE(InDropout(settings, 21));
    EXPECT_FALSE(InDropout(settings, 22.5));
    EXPECT_TRUE(InDropout(settings, 40.5));
}

}  // namespace
}  // namespace skarnel::sim
