#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace skarnel {

enum class OpenFailureKind { None, NotFound, PermissionDenied, Busy, Settings, Other };

struct OpenFailure {
    OpenFailureKind kind = OpenFailureKind::None;
    std::string reason;  // what the operating system said
};

// The device below CRS232: a real serial port, or a simulated controller in tests.
// The backend keeps the receive queue; its operations never block longer than asked.
class SerialBackend {
public:
    static constexpr size_t kQueueSize = 8192;

    virtual ~SerialBackend() = default;

    // Opens the device exclusively, raw 8N1 at the given baud rate, with empty queues.
    virtual bool Open(const std::string& devicePath, unsigned baud, OpenFailure& failure) = 0;
    virtual void Close() = 0;
    // Discards both queues.
    virtual void Purge() = 0;
    // Writes the whole block; returns the count written, 0 on failure.
    virtual size_t Write(const uint8_t* data, size_t count) = 0;
    // Bytes received and waiting; 0 when none can be told.
    virtual size_t QueuedInput() = 0;
    // Reads up to count bytes. Bytes still to come are waited for with the port's read
    // time-outs: 100 ms between two bytes, 10 ms per requested byte plus 100 ms in all.
    virtual size_t Read(uint8_t* destination, size_t count) = 0;
    // Copies up to count of the waiting bytes without taking them; never waits.
    virtual size_t Peek(uint8_t* destination, size_t count) = 0;
    // Returns when new bytes have come in or after at most maxMs.
    virtual void WaitForInput(int maxMs) = 0;
};

}  // namespace skarnel
