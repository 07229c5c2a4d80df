#include "telemetry/gps_coordinates.h"
#include "telemetry/gps_path.h"
#include "telemetry/live_telemetry.h"

#include <gtest/gtest.h>

namespace skarnel {
namespace {

struct TextCase {
    GpsCoordinate coordinate;
    const char* text;
    int64_t millionths;
};

TEST(GpsCoordinates, TextMillionthsAndDegreesAgree)
{
    const TextCase cases[] = {
        {{4807, 1234, 0}, "48.118723", 48118723},
        {{4807, 1234, 1}, "-48.118723", -48118723},
        {{11630, 5000, 1}, "-116.508333", -116508333},
        {{12, 0, 0}, "0.200000", 200000},
        {{0, 0, 0}, "0.000000", 0},
        {{65535, 9999, 0}, "655.599998", 655599998},
        // Out of range parts are carried arithmetically instead of running into extra digits.
        {{4807, 12345, 0}, "48.137241", 48137241},
        {{4875, 0, 0}, "49.250000", 49250000},
        {{4899, 65535, 1}, "-49.759225", -49759225},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(GpsDegreesText(c.coordinate), c.text);
        EXPECT_EQ(GpsMillionths(c.coordinate), c.millionths);
        EXPECT_EQ(GpsDegrees(c.coordinate), std::stod(c.text));
    }
}

TEST(GpsCoordinates, DistanceOfOneThousandthOfADegree)
{
    EXPECT_EQ(GpsDistance(48, 11, 48, 11), 0);
    EXPECT_NEAR(GpsDistance(48, 11, 48.001, 11), 111.19, 0.005);
    EXPECT_NEAR(GpsDistance(48, 11, 48, 11.001), 74.51, 0.005);
}

GpsData At(int32_t nsHigh, int32_t nsLow, int32_t ewHigh, int32_t ewLow)
{
    GpsData record;
    record.nsHigh = nsHigh;
    record.nsLow = nsLow;
    record.ewHigh = ewHigh;
    record.ewLow = ewLow;
    record.rxsq = 60;
    return record;
}

TEST(GpsPath, PointsAreOffsetsFromTheStartWithTheirExtents)
{
    GpsPath path;
    path.AddPoint(At(4800, 0, 1100, 0), 0);
    EXPECT_EQ(path.count, 1);
    EXPECT_EQ(path.lat0, 48000000);
    EXPECT_EQ(path.lon0, 11000000);
    EXPECT_EQ(path.lat0Deg, 48.0);

    path.AddPoint(At(4759, 9940, 1100, 0), 0);  // 0.0001° south
    EXPECT_EQ(path.points[1].dNS, 100);
    EXPECT_EQ(path.south, 100);
    EXPECT_EQ(path.north, 0);
    EXPECT_EQ(path.maxNorthSouth, 100);

    path.AddPoint(At(4800, 600, 1100, 600), 0);  // 0.001° north and east
    EXPECT_EQ(path.points[2].dNS, -1000);
    EXPECT_EQ(path.points[2].dEW, 1000);
    EXPECT_EQ(path.north, 1000);
    EXPECT_EQ(path.east, 1000);
    EXPECT_NEAR(path.distNS, 111.19, 0.005);
    EXPECT_NEAR(path.distEW, 74.51, 0.005);
    EXPECT_EQ(path.points.size(), 3u);

    path.Reset();
    EXPECT_EQ(path.count, 0);
    EXPECT_TRUE(path.points.empty());
    EXPECT_EQ(path.north, 0);
}

TEST(GpsPath, CurrentFollowsTheReplayRowOrTheNewestPoint)
{
    GpsPath path;
    path.SetCurrent(5);
    EXPECT_EQ(path.current, 0) << "no points";
    for (int32_t key : {0, 5, 10, 15})
        path.AddPoint(At(4800, key, 1100, 0), key);
    struct {
        int32_t row;
        int32_t current;
    } const cases[] = {{-1, 4}, {20, 4}, {0, 1}, {4, 1}, {5, 2}, {12, 3}, {15, 3}};
    for (const auto& c : cases) {
        path.SetCurrent(c.row);
        EXPECT_EQ(path.current, c.current) << "row " << c.row;
    }
}

TEST(LiveTelemetry, KeepsTheHighestLevelsUntilTheNextStart)
{
    LiveTelemetry live;
    DbmScan scan;
    scan.txLevel[0] = 200;
    scan.rxLevel[74] = 90;
    live.StoreRfLevels(scan);
    scan.txLevel[0] = 100;
    scan.rxLevel[74] = 95;
    live.StoreRfLevels(scan);
    EXPECT_EQ(live.txLevel[0], 100);
    EXPECT_EQ(live.txMax[0], 200) << "unsigned comparison";
    EXPECT_EQ(live.rxMax[74], 95);
    live.receiver.quality = 9;
    live.path.AddPoint(At(4800, 0, 1100, 0), 0);
    live.ClearForStart();
    EXPECT_EQ(live.txMax[0], 0);
    EXPECT_EQ(live.path.count, 0);
    EXPECT_EQ(live.receiver.quality, 9) << "records stay until overwritten";
}

}  // namespace
}  // namespace skarnel
