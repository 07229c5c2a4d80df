#pragma once

#include "base/clock.h"
#include "link/rs232.h"

#include <memory>

namespace skarnel {

// Where a program's connections to the controller come from: each is a CRS232 on a backend and
// a clock the factory chooses, so that the same windows and commands run on a real serial port
// or on a simulated controller on virtual time.
class ConnectionFactory {
public:
    virtual ~ConnectionFactory() = default;

    // A new connection, not yet open.
    virtual std::unique_ptr<CRS232> MakeConnection() = 0;
    // The clock of its connections, which paces whatever else runs beside them (the replay).
    virtual Clock& TimeSource() { return Clock::System(); }
};

// Serial device nodes (and PTYs) through termios, on the system clock.
class PosixConnectionFactory final : public ConnectionFactory {
public:
    std::unique_ptr<CRS232> MakeConnection() override;
};

}  // namespace skarnel
