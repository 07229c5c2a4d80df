#pragma once

#include "link/serial_backend.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace skarnel {
class Clock;
}

namespace skarnel::test {

// A serial backend that passes everything to another until the cable is pulled at a given
// write: from that write on nothing is written and nothing comes in, as with a USB serial
// bridge unplugged in the middle of a job.
class DyingPort final : public SerialBackend {
public:
    DyingPort(std::unique_ptr<SerialBackend> inner, Clock& clock);

    // The write, counted from now (1-based), that finds the port gone; none: the port stays.
    void DiesAtWrite(std::optional<int> write);

    bool Open(const std::string& devicePath, unsigned baud, OpenFailure& failure) override;
    void Close() override;
    void Purge() override;
    size_t Write(const uint8_t* data, size_t count) override;
    size_t QueuedInput() override;
    size_t Read(uint8_t* destination, size_t count) override;
    size_t Peek(uint8_t* destination, size_t count) override;
    void WaitForInput(int maxMs) override;

private:
    bool Gone() const { return diesAt_ && writes_ >= *diesAt_; }

    std::unique_ptr<SerialBackend> inner_;
    Clock& clock_;
    std::optional<int> diesAt_;
    int writes_ = 0;
};

}  // namespace skarnel::test
