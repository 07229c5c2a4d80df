#pragma once

#include "link/serial_backend.h"
#include "link/serial_port_id.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace skarnel {

class Clock;

// One connection to the controller over a serial port, held for the length of one job.
class CRS232 {
public:
    static constexpr size_t kReceiveBufferSize = 8192;

    // The programs get theirs from a ConnectionFactory (link/connection_factory.h).
    CRS232(std::unique_ptr<SerialBackend> backend, Clock& clock);
    virtual ~CRS232();
    CRS232(const CRS232&) = delete;
    CRS232& operator=(const CRS232&) = delete;

    bool OpenPort(int portNumber, unsigned baud);
    bool OpenPort(const SerialPortId& port, unsigned baud);
    void ClosePort();
    int IsConnected() const { return isConnected_.load(); }

    size_t WriteBytes(const uint8_t* data, size_t count);
    size_t InputQueueCount();
    size_t ReadToBuffer(size_t count);
    // Reads up to count more bytes into the receive buffer at offset, keeping what stands before
    // it: a reply that arrives in pieces is collected there.
    size_t AppendToBuffer(size_t offset, size_t count);
    // Copies up to count waiting bytes without taking them.
    size_t PeekInput(uint8_t* destination, size_t count);
    // Reads and forgets every byte that waits, so that nothing of an earlier exchange can
    // answer the next request.
    void DiscardInput();
    size_t ReadBytes(uint8_t* destination, size_t count);
    bool WaitForData(int timeoutMs);
    bool WaitForCount(int timeoutMs, size_t count);

    // One step of a polling wait (5 ms unless less is left); ends early when bytes come in.
    void WaitPollStep(int maxMs = 5);

    const uint8_t* receiveBuffer() const { return receiveBuffer_.data(); }
    void ClearReceiveBuffer() { receiveBuffer_.fill(0); }
    Clock& clock() const { return *clock_; }
    const OpenFailure& LastOpenFailure() const { return lastOpenFailure_; }

    int portNumber = 0;

private:
    std::unique_ptr<SerialBackend> backend_;
    Clock* clock_;
    // Read by the user-interface thread as the sign that a job runs.
    std::atomic<int> isConnected_{0};
    OpenFailure lastOpenFailure_;
    std::array<uint8_t, kReceiveBufferSize> receiveBuffer_{};
};

inline constexpr int kPollStepMs = 5;

}  // namespace skarnel
