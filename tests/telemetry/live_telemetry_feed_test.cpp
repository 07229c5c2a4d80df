#include "base/reporter.h"
#include "telemetry/live_log_file.h"
#include "telemetry/live_telemetry_feed.h"
#include "telemetry/log_loader.h"
#include "tests/support/temp_folder.h"
#include "tests/support/packed_field.h"

#include <gtest/gtest.h>

namespace skarnel {
namespace {

using test::Copied;

LiveLogRecord PassRecord(int pass, bool gpsPresent)
{
    LiveLogRecord record;
    record.receiverTime = pass * 10 + 1;
    record.receiver.rxsq = uint8_t(60 + pass);
    record.rfTime = pass * 10 + 1;
    record.rf.txLevel[4] = uint8_t(pass == 1 ? 90 : 20);
    record.gpsTime = pass * 10 + 1;
    record.gps.nsHigh = 4800;
    record.gps.nsLow = 100 * pass;
    record.gps.ewHigh = 1100;
    record.gps.rxsq = gpsPresent ? 50 : 0;
    return record;
}

// A log shown in the live views leaves the live telemetry as its recording would have: the last
// records, the highest levels and a path of the GPS blocks with data, all flown.
TEST(LiveTelemetryFeed, LeavesTheLiveTelemetryAsTheRecordingDid)
{
    test::TempFolder folder;
    const std::string path = folder.Path("flight.cld");
    LiveLogWriter writer;
    ASSERT_TRUE(writer.Create(path));
    for (int pass = 0; pass < 4; ++pass)
        ASSERT_TRUE(writer.Append(PassRecord(pass, pass != 2)));
    ASSERT_TRUE(writer.Close());

    LiveTelemetry live;
    live.path.AddPoint(PassRecord(9, true).gps, 0);
    live.rxMax.fill(99);
    LiveTelemetryFeed feed(live);
    ASSERT_TRUE(LoadLogFile(path, feed, NullReporter::Instance()));
    EXPECT_EQ(live.receiver.rxsq, 63);
    EXPECT_EQ(live.txLevel[4], 20);
    EXPECT_EQ(live.txMax[4], 90);
    EXPECT_EQ(live.rxMax[4], 0) << "a new start clears the highest levels";
    EXPECT_EQ(live.path.count, 3) << "the earlier path is gone and the empty GPS block adds nothing";
    EXPECT_EQ(live.path.current, 3);
    EXPECT_EQ(Copied(live.gps.nsLow), 300);
}

}  // namespace
}  // namespace skarnel
