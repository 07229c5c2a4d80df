#pragma once

#include "link/serial_backend.h"

#include <vector>

namespace skarnel {

// A serial device node (or a PTY) through termios.
class PosixSerialBackend final : public SerialBackend {
public:
    PosixSerialBackend() = default;
    ~PosixSerialBackend() override;
    PosixSerialBackend(const PosixSerialBackend&) = delete;
    PosixSerialBackend& operator=(const PosixSerialBackend&) = delete;

    bool Open(const std::string& devicePath, unsigned baud, OpenFailure& failure) override;
    void Close() override;
    void Purge() override;
    size_t Write(const uint8_t* data, size_t count) override;
    size_t QueuedInput() override;
    size_t Read(uint8_t* destination, size_t count) override;
    size_t Peek(uint8_t* destination, size_t count) override;
    void WaitForInput(int maxMs) override;

private:
    bool Configure(unsigned baud);
    // Moves what the kernel holds into the receive queue, up to its size.
    void Drain();
    bool PollFor(short events, int timeoutMs) const;

    int fd_ = -1;
    int writeMsPerByte_ = 0;
    std::vector<uint8_t> queue_;
};

}  // namespace skarnel
