#pragma once

#include "sim/controller_engine.h"

#include <atomic>
#include <string>

namespace skarnel::sim {

// Serves a controller engine on a pseudo-terminal: the application opens the PTY's device
// path as it would a serial port.
class PtyServer {
public:
    explicit PtyServer(ControllerEngine& engine);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Creates the PTY with both ends raw; false with a reason when it cannot.
    bool Open(std::string& error);
    const std::string& DevicePath() const { return devicePath_; }
    // Serves until the flag is set.
    void Run(const std::atomic<bool>& stop);

private:
    void Exchange(int64_t nowNs);

    ControllerEngine& engine_;
    int master_ = -1;
    int slave_ = -1;
    std::string devicePath_;
};

}  // namespace skarnel::sim
