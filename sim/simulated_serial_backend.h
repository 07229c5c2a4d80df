#pragma once

#include "link/serial_backend.h"
#include "sim/controller_engine.h"

#include <deque>
#include <memory>
#include <mutex>
#include <string>

namespace skarnel {
class Clock;
}

namespace skarnel::sim {

// A simulated controller on a simulated cable: the engine, and whether a port holds it.
// The lock lets a test thread look at the controller while a job's worker talks to it.
class SimulatedDevice {
public:
    explicit SimulatedDevice(ControllerState state = {});

    ControllerEngine& engine() { return engine_; }
    std::mutex& mutex() { return mutex_; }
    bool TryAcquire();
    void Release();

private:
    std::mutex mutex_;
    ControllerEngine engine_;
    bool held_ = false;
};

// A serial backend wired straight to a simulated device, on any clock. Given a device path, it
// opens only that one, so that a window's wrong port fails as a missing device node does.
class SimulatedSerialBackend final : public SerialBackend {
public:
    SimulatedSerialBackend(std::shared_ptr<SimulatedDevice> device, Clock& clock, std::string devicePath = {});
    ~SimulatedSerialBackend() override;

    bool Open(const std::string& devicePath, unsigned baud, OpenFailure& failure) override;
    void Close() override;
    void Purge() override;
    size_t Write(const uint8_t* data, size_t count) override;
    size_t QueuedInput() override;
    size_t Read(uint8_t* destination, size_t count) override;
    size_t Peek(uint8_t* destination, size_t count) override;
    void WaitForInput(int maxMs) override;

private:
    void Collect();
    int64_t NowNs() const;

    std::shared_ptr<SimulatedDevice> device_;
    Clock& clock_;
    std::string devicePath_;
    bool open_ = false;
    std::deque<uint8_t> queue_;
};

}  // namespace skarnel::sim
