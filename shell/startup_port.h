#pragma once

#include "link/serial_port_id.h"

#include <optional>

namespace skarnel {

// The stored port number that means "none stored".
inline constexpr int kNoStoredPort = 255;

struct StartupPort {
    SerialPortId port;
    bool store = false;  // write the number to the settings
};

// The port at start-up: one given on the command line, else the bridge found by name (and
// stored), else the stored number, else port 1.
StartupPort ChooseStartupPort(const std::optional<SerialPortId>& commandLine, int foundBridge, int storedNumber);

}  // namespace skarnel
