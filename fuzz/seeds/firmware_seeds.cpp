#include "base/byte_order.h"
#include "fuzz/seeds/seed_files.h"
#include "fuzz/support/scratch_folder.h"
#include "link/product_info.h"
#include "tools/firmware_merge.h"

#include <stdexcept>

namespace skarnel::fuzz {
namespace {

// Small images whose fields stand at small version addresses, so that the seeds stay small.
constexpr uint32_t kProductCode = 3001;
constexpr uint32_t kAppProductCodeAt = 0x100;
constexpr uint32_t kAppVersionAt = 0x104;
constexpr uint32_t kMemoryVersionAt = 0x108;
constexpr uint32_t kBootProductCodeAt = 0x40;
constexpr uint32_t kBootVersionAt = 0x44;

std::vector<uint8_t> VersionAddressReply()
{
    std::vector<uint8_t> reply(VersionAddressInfo::kReplySize, 0);
    const uint32_t addresses[] = {kAppProductCodeAt, kAppVersionAt, kBootProductCodeAt, kBootVersionAt,
                                  kMemoryVersionAt};
    for (size_t k = 0; k < std::size(addresses); ++k)
        WriteLe24(reply.data() + 4 * k, addresses[k]);
    return reply;
}

using Fields = std::initializer_list<std::pair<uint32_t, uint32_t>>;

// An image of that size with a pattern, and each field's value at its address.
std::filesystem::path Image(const std::string& name, size_t size, Fields fields)
{
    std::vector<uint8_t> bytes(size);
    for (size_t k = 0; k < size; ++k)
        bytes[k] = static_cast<uint8_t>(k * 7 + 3);
    for (const auto& [at, value] : fields)
        WriteLe32(bytes.data() + at, value);
    return WriteInputFile(name, bytes.data(), bytes.size());
}

std::vector<uint8_t> UpgradeFile(bool boot, bool stBoot)
{
    MergeRequest request;
    request.appPath =
        Image("app.bin", 512, {{kAppProductCodeAt, kProductCode}, {kAppVersionAt, 106}, {kMemoryVersionAt, 1001}})
            .string();
    request.bootUse = boot;
    request.bootPath = Image("boot.bin", 256, {{kBootProductCodeAt, kProductCode}, {kBootVersionAt, 13}}).string();
    request.stBootUse = stBoot;
    request.stBootPath = Image("stboot.bin", 128, {}).string();
    request.targetPath = (ScratchFolder() / "upgrade.bin").string();
    const MergeResult result = MergeFirmwareFile(request);
    if (!result.succeeded)
        throw std::runtime_error("the merge failed: " + result.finalText);
    return FileBytes(result.targetPath);
}

}  // namespace

void WriteFirmwareSeeds(const std::filesystem::path& corpus)
{
    const SeedFolder seeds(corpus, "firmware_file");
    seeds.Write("application", Concatenated(VersionAddressReply(), UpgradeFile(false, false)));
    seeds.Write("boot_loader", Concatenated(VersionAddressReply(), UpgradeFile(true, false)));
    seeds.Write("st_boot_loader", Concatenated(VersionAddressReply(), UpgradeFile(true, true)));
}

}  // namespace skarnel::fuzz
