#include "sim/firmware_download.h"

#include "firmware/image_info.h"
#include "firmware/scrambler.h"
#include "base/byte_order.h"
#include "link/product_info.h"
#include "sim/controller_engine.h"

#include <algorithm>
#include <array>

namespace skarnel::sim {
namespace {

constexpr uint8_t kCodeFileInformation = 0x12;
constexpr uint8_t kCodeDataBlock = 0x13;
constexpr uint8_t kCodeEraseApplication = 0x14;
constexpr uint8_t kCodeRfPause = 0x31;
constexpr uint8_t kCodeDownloadStart = 0x32;
constexpr size_t kBlockHeaderSize = 8;
constexpr size_t kMaxBlockSize = 2048;
constexpr size_t kFileInformationMinimum = 10;
// More than any controller's flash: an announced size beyond it is refused.
constexpr uint32_t kMaxImageSize = 0x100000;
constexpr int64_t kNsPerMs = 1'000'000;

// Which part of the controller takes an image, by the mode it runs in and the group addressed.
struct Receiver {
    ControllerMode mode;
    int group;
    ImageKind kind;
};

constexpr std::array<Receiver, 3> kReceivers{{
    {ControllerMode::Application, 0, ImageKind::BootLoader},
    {ControllerMode::BootLoader, 1, ImageKind::Application},
    {ControllerMode::BootLoader, 8, ImageKind::StBootLoader},
}};

Reply Nak()
{
    return Reply{kNakCode, {}};
}

// An error reply naming the image offset the controller expected or could not take.
Reply ErrorAt(uint32_t offset)
{
    std::vector<uint8_t> payload(4);
    WriteLe32(payload.data(), offset);
    return Reply{kErrorCode, payload};
}

VersionAddressInfo AddressesOf(const VersionAddresses& addresses)
{
    VersionAddressInfo info;
    info.AppPCodeAddr = addresses.appProductCode;
    info.AppVerAddr = addresses.appVersion;
    info.BootPCodeAddr = addresses.bootProductCode;
    info.BootVerAddr = addresses.bootVersion;
    info.MemVerAddr = addresses.memoryVersion;
    return info;
}

// A new image brings its own product code and versions, when they can be read from it.
void TakeVersionsFrom(ControllerState& state, ImageKind kind, const std::vector<uint8_t>& image)
{
    ImageInfo info;
    if (!ReadImageInfo(image.data(), image.size(), AddressesOf(state.addresses), kind, info))
        return;
    if (kind == ImageKind::Application) {
        state.product.appProductCode = info.productCode;
        state.product.appVersion = info.version;
        state.product.memoryVersion = info.memoryVersion;
    } else {
        state.product.bootProductCode = info.productCode;
        state.product.bootVersion = info.version;
    }
}

// The boot loader hands over to the new application a moment after taking it whole.
void StartApplicationLater(ControllerEngine& engine)
{
    ControllerState& state = engine.state();
    engine.ScheduleAfter(state.firmware.applicationStartDelayMs * kNsPerMs, [&state] {
        state.mode = ControllerMode::Application;
        state.rfPaused = false;
        state.firmware.Restart();
        state.display = {};
        if (state.onDisplayChanged)
            state.onDisplayChanged(state.display);
    });
}

void KeepImage(ControllerEngine& engine, IncomingImage& image)
{
    ControllerState& state = engine.state();
    image.kept = true;
    state.firmware.receivedImages[image.kind] = image.plain;
    if (state.firmware.onImageReceived)
        state.firmware.onImageReceived(image.kind, image.plain);
    TakeVersionsFrom(state, image.kind, image.plain);
    if (image.kind == ImageKind::Application)
        StartApplicationLater(engine);
}

// The boot loader image is only taken while the RF process is paused.
Reply StartDownload(ControllerState& state)
{
    if (state.mode == ControllerMode::Application && !state.rfPaused)
        return Nak();
    state.firmware.Restart();
    state.firmware.downloadStarted = true;
    return Reply{};
}

// Size, a second value, the file name and the memory text, each text ended by a zero byte.
std::optional<IncomingImage> ParseFileInformation(const std::vector<uint8_t>& payload)
{
    if (payload.size() < kFileInformationMinimum)
        return std::nullopt;
    const auto nameEnd = std::find(payload.begin() + 8, payload.end(), 0);
    if (nameEnd == payload.end())
        return std::nullopt;
    const auto memoryEnd = std::find(nameEnd + 1, payload.end(), 0);
    if (memoryEnd == payload.end() || std::string(nameEnd + 1, memoryEnd) != "Flash")
        return std::nullopt;
    IncomingImage image;
    image.size = ReadLe32(payload.data());
    image.name.assign(payload.begin() + 8, nameEnd);
    image.state = ScramblerSeed;
    return image;
}

Reply TakeFileInformation(ControllerState& state, const Receiver& receiver, const Request& request)
{
    std::optional<IncomingImage> image = ParseFileInformation(request.payload);
    if (!state.firmware.downloadStarted || !image || image->size > kMaxImageSize)
        return Nak();
    image->kind = receiver.kind;
    image->group = receiver.group;
    image->plain.reserve(image->size);
    state.firmware.incoming = std::move(image);
    return Reply{};
}

// A block must follow the previous one, carry the keystream state of its first byte and fit
// the announced size; the block taken last may come again when its acknowledgement was lost.
Reply TakeDataBlock(ControllerEngine& engine, const Receiver& receiver, const Request& request)
{
    std::optional<IncomingImage>& incoming = engine.state().firmware.incoming;
    const std::vector<uint8_t>& payload = request.payload;
    if (!incoming || incoming->group != receiver.group || payload.size() <= kBlockHeaderSize ||
        payload.size() > kBlockHeaderSize + kMaxBlockSize || ReadLe16(payload.data() + 6) != 0)
        return Nak();
    IncomingImage& image = *incoming;
    const uint32_t offset = ReadLe32(payload.data());
    const uint16_t state = ReadLe16(payload.data() + 4);
    const size_t count = payload.size() - kBlockHeaderSize;
    if (image.lastOffset && offset == *image.lastOffset && state == image.lastState) {
        image.plain.resize(offset);
        image.state = state;
    }
    if (offset != image.plain.size() || state != image.state || count > image.size - offset)
        return ErrorAt(static_cast<uint32_t>(image.plain.size()));
    std::vector<uint8_t> bytes(payload.begin() + kBlockHeaderSize, payload.end());
    image.lastOffset = offset;
    image.lastState = state;
    image.state = ScrambleFrom(state, bytes.data(), bytes.size());
    image.plain.insert(image.plain.end(), bytes.begin(), bytes.end());
    if (image.Complete() && !image.kept)
        KeepImage(engine, image);
    return Reply{};
}

void InstallReceiver(ControllerEngine& engine, const Receiver& receiver)
{
    ControllerState& state = engine.state();
    engine.On(receiver.mode, receiver.group, kCodeFileInformation,
              [&state, receiver](const Request& request) { return TakeFileInformation(state, receiver, request); });
    engine.On(receiver.mode, receiver.group, kCodeDataBlock,
              [&engine, receiver](const Request& request) { return TakeDataBlock(engine, receiver, request); });
}

}  // namespace

void InstallFirmwareDownload(ControllerEngine& engine)
{
    ControllerState& state = engine.state();
    for (const Receiver& receiver : kReceivers)
        InstallReceiver(engine, receiver);
    for (const Receiver& receiver : {kReceivers[0], kReceivers[1]})
        engine.On(receiver.mode, receiver.group, kCodeDownloadStart,
                  [&state](const Request&) { return StartDownload(state); });
    engine.On(ControllerMode::BootLoader, 1, kCodeEraseApplication, [&state](const Request&) -> std::optional<Reply> {
        ++state.firmware.eraseCount;
        state.firmware.incoming.reset();
        state.firmware.receivedImages.erase(ImageKind::Application);
        return std::nullopt;
    });
    // Sent once after the application image; the boot loader acknowledges it.
    engine.On(ControllerMode::BootLoader, 1, kCodeRfPause, [](const Request&) { return Reply{}; });
}

const char* ReceivedImageFileName(ImageKind kind)
{
    switch (kind) {
    case ImageKind::BootLoader: return "boot-loader.bin";
    case ImageKind::StBootLoader: return "st-boot-loader.bin";
    case ImageKind::Application: break;
    }
    return "application.bin";
}

}  // namespace skarnel::sim
