#pragma once

#include "link/posix_serial_backend.h"
#include "link/rs232.h"
#include "link/serial_port_id.h"

#include <cstdio>
#include <string>

namespace skarnel::bench {

// 115200 baud, 8N1.
inline constexpr double kWireBytesPerSecond = 11'520.0;

// A PTY connection that tells what crosses it both ways.
class ObservedBackend : public SerialBackend {
public:
    bool Open(const std::string& path, unsigned baud, OpenFailure& failure) override
    {
        return inner_.Open(path, baud, failure);
    }
    void Close() override { inner_.Close(); }
    void Purge() override { inner_.Purge(); }
    size_t Write(const uint8_t* data, size_t count) override
    {
        const size_t written = inner_.Write(data, count);
        Wrote(count, written);
        return written;
    }
    size_t QueuedInput() override { return inner_.QueuedInput(); }
    size_t Read(uint8_t* destination, size_t count) override
    {
        const size_t read = inner_.Read(destination, count);
        Received(read);
        return read;
    }
    size_t Peek(uint8_t* destination, size_t count) override { return inner_.Peek(destination, count); }
    void WaitForInput(int maxMs) override { inner_.WaitForInput(maxMs); }

protected:
    virtual void Wrote(size_t requested, size_t written) = 0;
    virtual void Received(size_t count) = 0;

private:
    PosixSerialBackend inner_;
};

// Opens the port on the simulator's PTY, saying so when it cannot.
inline bool OpenOnSimulator(CRS232& port, const std::string& devicePath)
{
    if (port.OpenPort(SerialPortId::FromPath(devicePath), 115200))
        return true;
    std::fprintf(stderr, "cannot open %s\n", devicePath.c_str());
    return false;
}

}  // namespace skarnel::bench
