#include "sim/sd_card_commands.h"

#include "base/byte_order.h"
#include "base/format.h"
#include "link/frame.h"
#include "sdcard/sd_codes.h"
#include "sim/clock_arithmetic.h"
#include "sim/controller_engine.h"
#include "sim/sd_card.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace skarnel::sim {
namespace {

constexpr int kGroupSdLogging = 3;
constexpr int kGroupSdFiles = 6;
constexpr size_t kFileStatusSize = 30;
constexpr size_t kWriteTextSize = 8;

// What the card keeps between commands: the open folder's listing and the open file.
struct Session {
    std::vector<std::string> entries;
    size_t nextEntry = 0;
    std::string openFile;
    uint8_t openMode = 0;
    size_t position = 0;
};

Reply Ack(std::vector<uint8_t> payload = {})
{
    return Reply{kAckCode, std::move(payload)};
}

Reply Failure(uint8_t result)
{
    return Reply{kNakCode, {result}};
}

Reply Outcome(uint8_t result)
{
    return result == kSdOk ? Ack() : Failure(result);
}

std::vector<uint8_t> Text(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

// The payload up to its zero byte.
std::string PayloadText(const Request& request)
{
    const auto end = std::find(request.payload.begin(), request.payload.end(), 0);
    return std::string(request.payload.begin(), end);
}

std::string EntryText(const SdCard::Entry& entry)
{
    return (entry.node->folder ? "D-" : "-A") + entry.node->stamp + entry.name;
}

// The controller's own clock as a YYMMDDHHMM stamp for what it creates.
std::string Stamp(ControllerEngine& engine)
{
    const ClockState& clock = engine.state().clock;
    const ClockRecord now = AdvanceClockRecord(clock.record, (engine.NowNs() - clock.setAtNs) / 1'000'000'000);
    return Format("%02d%02d%02d%02d%02d", now.year % 100, now.month, now.day, now.hour, now.minute);
}

Reply OpenDirectory(SdCard& card, Session& session, const Request& request)
{
    const std::optional<std::string> path = SdCard::Normalise(PayloadText(request));
    if (!path)
        return Failure(kSdInvalidName);
    const auto listing = card.List(*path);
    if (!listing)
        return Failure(kSdNoPath);
    session.entries.clear();
    session.nextEntry = 0;
    for (const SdCard::Entry& entry : *listing)
        session.entries.push_back(EntryText(entry));
    return Ack();
}

Reply NextEntry(Session& session)
{
    if (session.nextEntry >= session.entries.size())
        return Ack();
    return Ack(Text(session.entries[session.nextEntry++]));
}

Reply FileStatus(SdCard& card, const Request& request)
{
    const std::optional<std::string> path = SdCard::Normalise(PayloadText(request));
    if (!path)
        return Failure(kSdInvalidName);
    const SdCard::Node* node = card.Find(*path);
    if (!node || node->folder)
        return Failure(kSdNoFile);
    std::vector<uint8_t> status(kFileStatusSize, 0);
    WriteLe32(status.data(), static_cast<uint32_t>(node->data.size()));
    return Ack(status);
}

// "0x%02x path": the access mode, a space, the path.
Reply OpenFile(ControllerEngine& engine, SdCard& card, Session& session, const Request& request)
{
    const std::string text = PayloadText(request);
    const size_t space = text.find(' ');
    if (space == std::string::npos)
        return Failure(kSdInvalidName);
    const auto mode = static_cast<uint8_t>(std::strtoul(text.substr(0, space).c_str(), nullptr, 16));
    const std::optional<std::string> path = SdCard::Normalise(text.substr(space + 1));
    if (!path)
        return Failure(kSdInvalidName);
    if (mode == kSdOpenCreate) {
        if (const uint8_t result = card.CreateFile(*path, Stamp(engine)); result != kSdOk)
            return Failure(result);
    }
    const SdCard::Node* node = card.Find(*path);
    if (!node) {
        const std::string parent = path->substr(0, std::max<size_t>(path->rfind('/'), 1));
        return Failure(card.Find(parent) ? kSdNoFile : kSdNoPath);
    }
    if (node->folder)
        return Failure(kSdDenied);
    session.openFile = *path;
    session.openMode = mode;
    session.position = 0;
    return Ack();
}

Reply CloseFile(SdCard& card, Session& session)
{
    if (session.openFile.empty())
        return Failure(kSdInvalidObject);
    if (session.openMode & kSdOpenWrite)
        card.Flush(session.openFile);
    session.openFile.clear();
    return Ack();
}

Reply ReadFile(SdCard& card, Session& session, const Request& request)
{
    const SdCard::Node* node = session.openFile.empty() ? nullptr : card.Find(session.openFile);
    if (!node || !(session.openMode & kSdOpenRead))
        return Failure(node ? kSdDenied : kSdInvalidObject);
    const size_t wanted = std::min<size_t>(std::strtoul(PayloadText(request).c_str(), nullptr, 16), kMaxFramePayload);
    const size_t from = std::min(session.position, node->data.size());
    const size_t count = std::min(wanted, node->data.size() - from);
    session.position = from + count;
    const auto begin = node->data.begin() + static_cast<std::ptrdiff_t>(from);
    return Ack(std::vector<uint8_t>(begin, begin + static_cast<std::ptrdiff_t>(count)));
}

// "0x%04x ", a zero byte, then the data.
Reply WriteFile(SdCard& card, Session& session, const Request& request)
{
    if (session.openFile.empty() || request.payload.size() < kWriteTextSize)
        return Failure(kSdInvalidObject);
    if (!(session.openMode & kSdOpenWrite))
        return Failure(kSdDenied);
    const size_t announced = std::strtoul(PayloadText(request).c_str(), nullptr, 16);
    const size_t count = std::min(announced, request.payload.size() - kWriteTextSize);
    const uint8_t result =
        card.WriteAt(session.openFile, session.position, request.payload.data() + kWriteTextSize, count);
    if (result != kSdOk)
        return Failure(result);
    session.position += count;
    return Ack(Text(Format("0x%04x", static_cast<unsigned>(count))));
}

Reply DiskSpace(const SdCard& card)
{
    const std::string text = Format("0x%08X  0x%08X", card.totalKbyte, card.totalKbyte - card.UsedKbyte());
    return Ack(Text(text));
}

template <typename Change> Reply OnPath(const Request& request, Change change)
{
    const std::optional<std::string> path = SdCard::Normalise(PayloadText(request));
    return path ? Outcome(change(*path)) : Failure(kSdInvalidName);
}

}  // namespace

void InstallSdCardCommands(ControllerEngine& engine, SdCard& card)
{
    auto session = std::make_shared<Session>();
    const ControllerMode app = ControllerMode::Application;
    engine.On(app, kGroupSdLogging, kSdCodeLogStop, [](const Request&) { return Ack(); });
    engine.On(app, kGroupSdFiles, kSdCodeDiskInit, [session](const Request&) {
        *session = {};
        return Ack();
    });
    engine.On(app, kGroupSdFiles, kSdCodeShowDrive, [&card](const Request&) { return DiskSpace(card); });
    engine.On(app, kGroupSdFiles, kSdCodeDirectoryOpen,
              [&card, session](const Request& request) { return OpenDirectory(card, *session, request); });
    engine.On(app, kGroupSdFiles, kSdCodeNextEntry, [session](const Request&) { return NextEntry(*session); });
    engine.On(app, kGroupSdFiles, kSdCodeFileStatus,
              [&card](const Request& request) { return FileStatus(card, request); });
    engine.On(app, kGroupSdFiles, kSdCodeFileOpen,
              [&engine, &card, session](const Request& request) { return OpenFile(engine, card, *session, request); });
    engine.On(app, kGroupSdFiles, kSdCodeFileClose,
              [&card, session](const Request&) { return CloseFile(card, *session); });
    engine.On(app, kGroupSdFiles, kSdCodeFileRead,
              [&card, session](const Request& request) { return ReadFile(card, *session, request); });
    engine.On(app, kGroupSdFiles, kSdCodeFileWrite,
              [&card, session](const Request& request) { return WriteFile(card, *session, request); });
    engine.On(app, kGroupSdFiles, kSdCodeMakeFolder, [&engine, &card](const Request& request) {
        return OnPath(request, [&](const std::string& path) { return card.MakeFolder(path, Stamp(engine)); });
    });
    engine.On(app, kGroupSdFiles, kSdCodeDelete, [&card](const Request& request) {
        return OnPath(request, [&](const std::string& path) { return card.Delete(path); });
    });
}

}  // namespace skarnel::sim
