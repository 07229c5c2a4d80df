#include "tests/support/hostile_card.h"

#include "sdcard/sd_codes.h"

#include <algorithm>
#include <cstdlib>

namespace skarnel::test {
namespace {

constexpr int kGroupSdFiles = 6;
constexpr size_t kFileStatusSize = 30;
const std::string kFileContent = "abc";
const std::string kEntryHead = "-A1103271530";

sim::Reply Ack(const std::string& payload = {})
{
    return sim::Reply{sim::kAckCode, std::vector<uint8_t>(payload.begin(), payload.end())};
}

struct Listing {
    size_t next = 0;
    size_t end = 0;
};

}  // namespace

void InstallHostileCard(sim::ControllerEngine& engine, std::shared_ptr<const std::vector<std::string>> names)
{
    auto listing = std::make_shared<Listing>();
    const auto on = [&engine](uint8_t code, sim::ControllerEngine::Handler answer) {
        engine.On(sim::ControllerMode::Application, kGroupSdFiles, code, std::move(answer));
    };
    on(kSdCodeDirectoryOpen, [names, listing](const sim::Request& request) {
        const std::string folder(request.payload.begin(), std::find(request.payload.begin(), request.payload.end(), 0));
        listing->next = std::min(std::strtoul(folder.c_str() + 1, nullptr, 10) * kHostileFolderSize, names->size());
        listing->end = std::min(listing->next + kHostileFolderSize, names->size());
        return Ack();
    });
    on(kSdCodeNextEntry, [names, listing](const sim::Request&) {
        return listing->next < listing->end ? Ack(kEntryHead + (*names)[listing->next++]) : Ack();
    });
    on(kSdCodeFileStatus, [](const sim::Request&) {
        std::string status(kFileStatusSize, '\0');
        status[0] = static_cast<char>(kFileContent.size());
        return Ack(status);
    });
    on(kSdCodeFileOpen, [](const sim::Request&) { return Ack(); });
    on(kSdCodeFileRead, [](const sim::Request&) { return Ack(kFileContent); });
    on(kSdCodeFileClose, [](const sim::Request&) { return Ack(); });
}

std::string HostileFolderOf(size_t index)
{
    return "/" + std::to_string(index / kHostileFolderSize);
}

}  // namespace skarnel::test
