#include "tests/model/model_test_support.h"

#include "base/byte_order.h"
#include "sim/model_data_commands.h"

#include <fstream>

namespace skarnel::test {

sim::ControllerState ModelControllerState(uint32_t productCode, uint32_t memoryVersion)
{
    sim::ControllerState state;
    state.product.appProductCode = productCode;
    state.product.memoryVersion = memoryVersion;
    return state;
}

ModelLink::ModelLink(uint32_t productCode, uint32_t memoryVersion)
    : SimulatedLink(ModelControllerState(productCode, memoryVersion))
{
    sim::InstallModelDataCommands(engine());
    engine().KeepRequestLog(true);
}

std::vector<std::pair<uint32_t, size_t>> ModelLink::FlashWrites() const
{
    std::vector<std::pair<uint32_t, size_t>> writes;
    for (const sim::Request& request : device->engine().RequestLog())
        if (request.group == 5 && request.code == 0x34 && request.payload.size() >= 4)
            writes.emplace_back(ReadLe32(request.payload.data()), request.payload.size() - 4);
    return writes;
}

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace skarnel::test
