#include "link/frame.h"
#include "sim/telemetry_commands.h"
#include "sim/telemetry_values.h"
#include "telemetry/telemetry_decode.h"
#include "tests/support/simulated_link.h"
#include "tests/telemetry/recording_log_rows.h"

#include <gtest/gtest.h>
#include <functional>

namespace skarnel {
namespace {

using test::RecordBytes;

// One attempt that finds nothing: the request, 200 ms of waiting, the 10 ms after a wait that
// ran out, the 300 ms pause.
constexpr int64_t kSilentAttemptMs = 2 + 200 + 10 + 300;
constexpr int64_t kSilentScanAttemptMs = 2 + 300 + 10 + 300;

struct TelemetryLink : test::SimulatedLink {
    explicit TelemetryLink(int sensorType = kSensorGeneral)
    {
        sim::TelemetrySettings settings;
        settings.sensorType = sensorType;
        sim::InstallTelemetryCommands(engine(), settings);
        engine().KeepRequestLog(true);
    }

    void AddFault(sim::FaultKind kind, int code, int count = 1, int amount = 0)
    {
        sim::FaultRule rule;
        rule.kind = kind;
        rule.group = 4;
        rule.code = code;
        rule.count = count;
        rule.amount = amount;
        engine().faults().Add(rule);
    }

    // Replaces the controller's answer to a command.
    void Answer(uint8_t code, std::vector<uint8_t> payload, uint8_t replyCode = 1)
    {
        engine().On(sim::ControllerMode::Application, 4, code, [payload, replyCode](const sim::Request&) {
            return sim::Reply{replyCode, payload};
        });
    }
};

struct SensorTypeCase {
    int attached;
    const char* name;
};

TEST(TelemetryCommands, SensorTypeNamesTheAttachedModule)
{
    for (const SensorTypeCase c : {SensorTypeCase{kSensorNone, "none"},
                                   {kSensorVario, "vario"},
                                   {kSensorGps, "gps"},
                                   {kSensorGeneral, "general"},
                                   {kSensorElectric, "electric"}}) {
        TelemetryLink s(c.attached);
        int type = 0;
        ASSERT_TRUE(s.link.ReadSensorType(type)) << c.name;
        EXPECT_EQ(type, c.attached) << c.name;
        const sim::Request& request = s.engine().RequestLog().at(0);
        EXPECT_EQ(request.group, 4);
        EXPECT_EQ(request.code, 0x32);
        EXPECT_TRUE(request.payload.empty());
    }
}

TEST(TelemetryCommands, RecordsAreTheControllersRepliesDecoded)
{
    TelemetryLink s(kSensorVario);
    s.KeepRepliesWhole();
    const int64_t start = s.clock.NowMs();
    ReceiverData receiver;
    ASSERT_TRUE(s.link.ReadReceiverData(receiver));
    ReceiverData expectedReceiver;
    const std::vector<uint8_t> receiverReply = sim::ReceiverReply(0);
    ASSERT_TRUE(DecodeReceiverData(receiverReply.data(), receiverReply.size(), expectedReceiver));
    EXPECT_EQ(RecordBytes(receiver), RecordBytes(expectedReceiver));
    EXPECT_EQ(s.clock.NowMs() - start, 2);

    DbmScan scan;
    ASSERT_TRUE(s.link.ReadDbmScan(scan));
    EXPECT_EQ(s.clock.NowMs() - start, 2 + 2 + 50) << "the table gets 50 ms to arrive whole";
    EXPECT_EQ(RecordBytes(scan), sim::DbmScanReply(0.002));

    VarioData vario;
    ASSERT_TRUE(s.link.ReadVarioData(vario));
    EXPECT_NE(vario.rxsq, 0);
    EXPECT_GE(vario.altMax, vario.altitude);
    EXPECT_LE(vario.altMin, vario.altitude);
}

// A module that is not attached answers with zero data: success, and the record stays as cleared.
TEST(TelemetryCommands, AbsentModuleReadsAsSuccessWithAnUntouchedRecord)
{
    TelemetryLink s(kSensorNone);
    GeneralData general;
    ElectricData electric;
    VarioData vario;
    GpsData gps;
    EXPECT_TRUE(s.link.ReadGeneralData(general));
    EXPECT_TRUE(s.link.ReadElectricData(electric));
    EXPECT_TRUE(s.link.ReadVarioData(vario));
    EXPECT_TRUE(s.link.ReadGpsData(gps));
    EXPECT_EQ(RecordBytes(general), std::vector<uint8_t>(88, 0));
    EXPECT_EQ(RecordBytes(electric), std::vector<uint8_t>(108, 0));
    EXPECT_EQ(RecordBytes(vario), std::vector<uint8_t>(32, 0));
    EXPECT_EQ(RecordBytes(gps), std::vector<uint8_t>(60, 0));
    EXPECT_EQ(s.engine().RequestCount(), 4u);
}

using Read = std::function<bool(CDownload_Function&)>;

template <typename Record> Read Reading(bool (CDownload_Function::*read)(Record&))
{
    return [read](CDownload_Function& link) {
        Record record;
        return (link.*read)(record);
    };
}

struct DeadLinkCase {
    const char* name;
    int code;
    int64_t attemptMs;
    Read read;
};

TEST(TelemetryCommands, DeadLinkTakesThreeAttemptsThreeHundredMillisecondsApart)
{
    const DeadLinkCase cases[] = {
        {"sensor type", 0x32, kSilentAttemptMs, Reading<int>(&CDownload_Function::ReadSensorType)},
        {"dbm scan", 0x33, kSilentScanAttemptMs, Reading(&CDownload_Function::ReadDbmScan)},
        {"receiver", 0x34, kSilentAttemptMs, Reading(&CDownload_Function::ReadReceiverData)},
        {"general", 0x35, kSilentAttemptMs, Reading(&CDownload_Function::ReadGeneralData)},
        {"electric", 0x36, kSilentAttemptMs, Reading(&CDownload_Function::ReadElectricData)},
        {"vario", 0x37, kSilentAttemptMs, Reading(&CDownload_Function::ReadVarioData)},
        {"gps", 0x38, kSilentAttemptMs, Reading(&CDownload_Function::ReadGpsData)},
    };
    for (const DeadLinkCase& c : cases) {
        TelemetryLink s;
        s.AddFault(sim::FaultKind::NoReply, c.code, 3);
        const int64_t start = s.clock.NowMs();
        EXPECT_FALSE(c.read(s.link)) << c.name;
        EXPECT_EQ(s.clock.NowMs() - start, 3 * c.attemptMs) << c.name;
        EXPECT_EQ(s.engine().RequestCount(), 3u) << c.name;
        EXPECT_TRUE(s.reporter.Events().empty()) << c.name << ": no message of its own";
    }
}

struct RetryCase {
    const char* name;
    sim::FaultKind kind;
    int amount;
    bool logsMismatch;
};

// Every damaged reply fails its attempt; the next attempt, 300 ms later, succeeds. A reply cut
// short never became a frame, so only the broken ones log a mismatch.
TEST(TelemetryCommands, DamagedRepliesAreRetried)
{
    const RetryCase cases[] = {
        {"short table", sim::FaultKind::Truncate, 100, false},
        {"fewer bytes than a frame", sim::FaultKind::Truncate, 8, false},
        {"bad CRC", sim::FaultKind::CorruptCrc, 0, true},
        {"bad start flag", sim::FaultKind::WrongStart, 0, true},
        {"stray bytes", sim::FaultKind::StrayBytes, 3, true},
        {"refused", sim::FaultKind::Nak, 0, false},
        {"busy", sim::FaultKind::Busy, 0, false},
    };
    for (const RetryCase& c : cases) {
        TelemetryLink s;
        s.AddFault(c.kind, 0x33, 1, c.amount);
        const int64_t start = s.clock.NowMs();
        DbmScan scan;
        EXPECT_TRUE(s.link.ReadDbmScan(scan)) << c.name;
        EXPECT_EQ(s.engine().RequestCount(), 2u) << c.name;
        EXPECT_EQ(s.clock.NowMs() - start, 2 * (2 + 50) + 300) << c.name;
        EXPECT_EQ(s.reporter.LogLines().size(), c.logsMismatch ? 1u : 0u) << c.name;
        EXPECT_EQ(scan.first[0], 1) << c.name;
    }
}

struct LengthCase {
    const char* name;
    uint8_t code;
    size_t length;
    bool accepted;
};

// Short and oversized replies fail every attempt; the sensor type takes any length but none.
TEST(TelemetryCommands, RepliesOfTheWrongLengthFail)
{
    const LengthCase cases[] = {
        {"receiver short", 0x34, 10, false},   {"receiver long", 0x34, 12, false},  {"receiver exact", 0x34, 11, true},
        {"general long", 0x35, 40, false},     {"gps short", 0x38, 23, false},      {"table short", 0x33, 224, false},
        {"sensor type empty", 0x32, 0, false}, {"sensor type long", 0x32, 5, true},
    };
    for (const LengthCase& c : cases) {
        TelemetryLink s;
        std::vector<uint8_t> payload(c.length, 0x8A);
        s.Answer(c.code, payload);
        int type = 0;
        ReceiverData receiver;
        GeneralData general;
        GpsData gps;
        DbmScan scan;
        bool read = false;
        switch (c.code) {
        case 0x32: read = s.link.ReadSensorType(type); break;
        case 0x33: read = s.link.ReadDbmScan(scan); break;
        case 0x34: read = s.link.ReadReceiverData(receiver); break;
        case 0x35: read = s.link.ReadGeneralData(general); break;
        default: read = s.link.ReadGpsData(gps); break;
        }
        EXPECT_EQ(read, c.accepted) << c.name;
        EXPECT_EQ(s.engine().RequestCount(), c.accepted ? 1u : 3u) << c.name;
        if (c.code == 0x32 && c.accepted) {
            EXPECT_EQ(type, 0x8A);
        }
    }
}

TEST(TelemetryCommands, AcknowledgementCodeOtherThanOneFails)
{
    TelemetryLink s;
    s.Answer(0x34, std::vector<uint8_t>(11, 0), 3);
    ReceiverData receiver;
    receiver.quality = 7;
    EXPECT_FALSE(s.link.ReadReceiverData(receiver));
    EXPECT_EQ(receiver.quality, 7);
    EXPECT_EQ(s.engine().RequestCount(), 3u);
}

TEST(TelemetryCommands, ClosedPortShowsUnconnectedAndSendsNothing)
{
    TelemetryLink s;
    s.port->ClosePort();
    const int64_t start = s.clock.NowMs();
    GpsData gps;
    EXPECT_FALSE(s.link.ReadGpsData(gps));
    EXPECT_EQ(s.reporter.Messages(), std::vector<std::string>{"Unconnected|Skarnel"});
    EXPECT_EQ(s.engine().RequestCount(), 0u);
    EXPECT_EQ(s.clock.NowMs(), start);
}

TEST(TelemetryCommands, ValuesChangeSlowlyWithTheControllersTime)
{
    TelemetryLink s(kSensorGps);
    GpsData first;
    GpsData later;
    ASSERT_TRUE(s.link.ReadGpsData(first));
    s.clock.SleepMs(10'000);
    ASSERT_TRUE(s.link.ReadGpsData(later));
    EXPECT_NE(RecordBytes(first), RecordBytes(later));
    EXPECT_EQ(first.nsHigh / 100, 37);
    EXPECT_EQ(first.ewHigh / 100, 126);
    EXPECT_LE(std::abs(later.altitude - first.altitude), 40);
    EXPECT_LE(later.direct, 360);
    EXPECT_LE(later.rxsq, 100);
    EXPECT_GT(later.rxsq, 0);
}

}  // namespace
}  // namespace skarnel
