#include "sim/model_data_commands.h"

#include "base/byte_order.h"
#include "link/frame.h"
#include "model/data_schema.h"
#include "sim/controller_engine.h"
#include "sim/model_memory.h"

#include <algorithm>

namespace skarnel::sim {
namespace {

constexpr int kGroupModelData = 5;
constexpr size_t kAddressSize = 4;

Reply AddressError(uint32_t address)
{
    std::vector<uint8_t> payload(kAddressSize);
    WriteLe32(payload.data(), address);
    return Reply{kErrorCode, payload};
}

bool InFlash(const ModelMemory& memory, uint64_t address, uint64_t size)
{
    return address + size <= memory.flash.size();
}

Reply ReadFlash(ControllerState& state, const Request& request)
{
    if (request.payload.size() < 2 * kAddressSize)
        return Reply{kNakCode, {}};
    const uint32_t size = ReadLe32(request.payload.data());
    const uint32_t address = ReadLe32(request.payload.data() + kAddressSize);
    if (size > kMaxFramePayload || !InFlash(state.modelMemory, address, size))
        return AddressError(address);
    const auto from = state.modelMemory.flash.begin() + address;
    return Reply{kAckCode, std::vector<uint8_t>(from, from + size)};
}

Reply WriteFlash(ControllerState& state, const Request& request)
{
    if (request.payload.size() < kAddressSize)
        return Reply{kNakCode, {}};
    const uint32_t address = ReadLe32(request.payload.data());
    const size_t size = request.payload.size() - kAddressSize;
    if (!InFlash(state.modelMemory, address, size))
        return AddressError(address);
    std::copy(request.payload.begin() + kAddressSize, request.payload.end(), state.modelMemory.flash.begin() + address);
    SaveModelMemory(state.modelMemory);
    return Reply{};
}

}  // namespace

void InstallModelDataCommands(ControllerEngine& engine)
{
    ControllerState& state = engine.state();
    if (state.modelMemory.flash.empty()) {
        SeedModelMemory(state);
        SaveModelMemory(state.modelMemory);
    }
    engine.On(ControllerMode::Application, kGroupModelData, 0x32, [&state](const Request&) {
        return Reply{kAckCode, EncodeDataSchemaReply(ModelMemorySchema(state))};
    });
    engine.On(ControllerMode::Application, kGroupModelData, 0x33,
              [&state](const Request& request) { return ReadFlash(state, request); });
    engine.On(ControllerMode::Application, kGroupModelData, 0x34,
              [&state](const Request& request) { return WriteFlash(state, request); });
}

}  // namespace skarnel::sim
