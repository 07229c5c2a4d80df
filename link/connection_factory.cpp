#include "link/connection_factory.h"

#include "base/clock.h"
#include "link/posix_serial_backend.h"

namespace skarnel {

std::unique_ptr<CRS232> PosixConnectionFactory::MakeConnection()
{
    return std::make_unique<CRS232>(std::make_unique<PosixSerialBackend>(), Clock::System());
}

}  // namespace skarnel
