#pragma once

#include "firmware/image_kind.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace skarnel::sim {

// The image a download is bringing in: announced by the file information, filled block by
// block in order, descrambled as it comes.
struct IncomingImage {
    ImageKind kind = ImageKind::Application;
    int group = 0;
    uint32_t size = 0;
    std::string name;
    std::vector<uint8_t> plain;  // the bytes received so far, descrambled
    uint16_t state = 0;          // the keystream state at the next byte
    // The last block taken, so that a block sent again after a lost acknowledgement is taken again.
    std::optional<uint32_t> lastOffset;
    uint16_t lastState = 0;
    bool kept = false;

    bool Complete() const { return plain.size() == size; }
};

struct FirmwareState {
    // Set by an acknowledged download start; a restart clears it.
    bool downloadStarted = false;
    std::optional<IncomingImage> incoming;
    // The complete images received, descrambled, by kind.
    std::map<ImageKind, std::vector<uint8_t>> receivedImages;
    int eraseCount = 0;
    // From the last block of a complete application image to the application running.
    int64_t applicationStartDelayMs = 500;
    // Told whenever an image is complete.
    std::function<void(ImageKind, const std::vector<uint8_t>&)> onImageReceived;

    // What a restart forgets: the download start and an image not yet complete.
    void Restart()
    {
        downloadStarted = false;
        incoming.reset();
    }
};

}  // namespace skarnel::sim
