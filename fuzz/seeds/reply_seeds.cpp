#include "base/byte_order.h"
#include "fuzz/seeds/reply_recorder.h"
#include "fuzz/seeds/seed_controllers.h"
#include "fuzz/seeds/seed_files.h"
#include "fuzz/sessions/sessions.h"
#include "fuzz/support/fuzz_link.h"
#include "link/frame.h"
#include "sim/application_commands.h"
#include "sim/sd_card.h"
#include "sim/sd_card_commands.h"
#include "sim/telemetry_commands.h"
#include "telemetry/telemetry_records.h"

#include <functional>
#include <stdexcept>

namespace skarnel::fuzz {
namespace {

using Replies = std::vector<ScriptedReply>;

constexpr uint8_t kReplyErrorCode = 3;

// What a session is told by a controller with the simulator's real commands.
Replies Recorded(const Session& session, sim::ControllerState state,
                 const std::function<void(sim::ControllerEngine&)>& install)
{
    sim::ControllerEngine real(std::move(state));
    install(real);
    FuzzLink link;
    ReplyRecorder recorder(link.engine(), real);
    session.run(link.link());
    if (recorder.Replies().empty())
        throw std::runtime_error("a session sent nothing");
    return recorder.Replies();
}

// The recorded replies with one of them spoiled.
Replies Spoiled(Replies replies, size_t index, ReplyFault fault, uint8_t amount)
{
    replies.at(index).fault = fault;
    replies.at(index).amount = amount;
    return replies;
}

// The recorded replies with one of them turned into an error reply that names an address.
Replies WithErrorReply(Replies replies, size_t index)
{
    std::vector<uint8_t> address(4);
    WriteLe32(address.data(), 0x1234);
    replies.at(index).reply = {kReplyErrorCode, address};
    return replies;
}

void WriteFrameSeeds(const std::filesystem::path& corpus)
{
    const Replies replies = Recorded(kFrameSession, ModelControllerState(0), InstallModelCommands);
    const SeedFolder seeds(corpus, "reply_frame");
    seeds.Write("sound", EncodeReplyScript(replies));
    seeds.Write("cut", EncodeReplyScript(Spoiled(replies, 1, ReplyFault::Truncate, 5)));
    seeds.Write("bad_crc", EncodeReplyScript(Spoiled(replies, 0, ReplyFault::CorruptCrc, 0)));
    seeds.Write("bad_start", EncodeReplyScript(Spoiled(replies, 2, ReplyFault::WrongStart, 0)));
    seeds.Write("stray_bytes", EncodeReplyScript(Spoiled(replies, 3, ReplyFault::StrayBytes, 3)));
    seeds.Write("late", EncodeReplyScript(Spoiled(replies, 1, ReplyFault::Delay, 120)));
    seeds.Write("silent", EncodeReplyScript(Spoiled(replies, 0, ReplyFault::Silent, 0)));
    seeds.Write("split_slowly", EncodeReplyScript(Spoiled(replies, 3, ReplyFault::Split, 250)));
    seeds.Write("packets", EncodeReplyScript(Spoiled(replies, 3, ReplyFault::Packets, 64)));
    seeds.Write("trickle", EncodeReplyScript(Spoiled(replies, 3, ReplyFault::Trickle, 0)));
    seeds.Write("error_reply", EncodeReplyScript(WithErrorReply(replies, replies.size() - 1)));
    seeds.Write("received_frame", EncodeFrame(7, kGroupApplication, 1, {0x10, 0x20, 0x30, 0x40}));
}

void WriteTelemetrySeeds(const std::filesystem::path& corpus)
{
    const SeedFolder seeds(corpus, "telemetry_replies");
    const std::pair<const char*, int> sensors[] = {{"general", kSensorGeneral},
                                                   {"electric", kSensorElectric},
                                                   {"vario", kSensorVario},
                                                   {"gps", kSensorGps},
                                                   {"none", kSensorNone}};
    for (const auto& sensor : sensors) {
        const int sensorType = sensor.second;
        const Replies replies = Recorded(kTelemetrySession, {}, [sensorType](sim::ControllerEngine& engine) {
            sim::TelemetrySettings settings;
            settings.sensorType = sensorType;
            sim::InstallTelemetryCommands(engine, settings);
        });
        seeds.Write(sensor.first, EncodeReplyScript(replies));
    }
}

void WriteCardSeeds(const std::filesystem::path& corpus)
{
    sim::SdCard card;
    const Replies replies = Recorded(
        kCardSession, {}, [&card](sim::ControllerEngine& engine) { sim::InstallSdCardCommands(engine, card); });
    SeedFolder(corpus, "sd_replies").Write("root_copy", EncodeReplyScript(replies));
}

}  // namespace

void WriteReplySeeds(const std::filesystem::path& corpus)
{
    WriteFrameSeeds(corpus);
    SeedFolder(corpus, "product_info")
        .Write("controller", EncodeReplyScript(Recorded(kProductInfoSession, {}, sim::InstallApplicationCommands)));
    const SeedFolder model(corpus, "model_replies");
    model.Write("model_files",
                EncodeReplyScript(Recorded(kModelFilesSession, ModelControllerState(1), InstallModelCommands)));
    model.Write("menu_backup",
                EncodeReplyScript(Recorded(kMenuBackupSession, ModelControllerState(0), InstallModelCommands)));
    WriteTelemetrySeeds(corpus);
    WriteCardSeeds(corpus);
    SeedFolder(corpus, "voice_replies")
        .Write("two_sounds",
               EncodeReplyScript(Recorded(kVoiceBackupSession, VoiceControllerState(), InstallVoiceCommands)));
}

}  // namespace skarnel::fuzz
