#pragma once

#include "clock/clock_record.h"
#include "sim/firmware_state.h"
#include "sim/model_memory.h"
#include "sim/voice_flash.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>

namespace skarnel::sim {

enum class ControllerMode { Application, BootLoader };

struct ProductSettings {
    uint32_t appProductCode = 3001;
    uint32_t appVersion = 105;
    uint32_t bootProductCode = 3001;
    uint32_t bootVersion = 12;
    uint32_t memoryVersion = 1000;
    std::string productName = "KT-40";
    std::string buyer = "Vennacor";
    uint8_t displayType = 0;
};

struct VersionAddresses {
    uint32_t appProductCode = 0x004100;
    uint32_t appVersion = 0x004104;
    uint32_t bootProductCode = 0x000100;
    uint32_t bootVersion = 0x000104;
    uint32_t memoryVersion = 0x004108;
};

struct DisplayState {
    bool on = false;
    std::map<int, std::string> lines;
};

// The controller's real-time clock: the record last written and when, in engine time.
struct ClockState {
    ClockRecord record{2026, 1, 1, 4, 12, 0, 0, 0};
    int64_t setAtNs = 0;
};

struct ControllerState {
    ProductSettings product;
    VersionAddresses addresses;
    DisplayState display;
    ClockState clock;
    ControllerMode mode = ControllerMode::Application;
    bool rfPaused = false;
    FirmwareState firmware;
    ModelMemory modelMemory;
    VoiceFlash voiceFlash;
    int64_t restartDelayMs = 500;
    // How long the boot loader waits for a download start before it starts the application.
    int64_t bootLoaderIdleMs = 5000;
    uint64_t bootCount = 0;
    // Told whenever the display's text changes.
    std::function<void(const DisplayState&)> onDisplayChanged;
};

}  // namespace skarnel::sim
