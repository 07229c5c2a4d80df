#include "link/posix_serial_backend.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace skarnel {
namespace {

OpenFailureKind KindOfErrno(int error)
{
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO: return OpenFailureKind::NotFound;
    case EACCES:
    case EPERM: return OpenFailureKind::PermissionDenied;
    case EBUSY:
    case EWOULDBLOCK: return OpenFailureKind::Busy;
    default: return OpenFailureKind::Other;
    }
}

OpenFailure FailureOf(int error)
{
    return {KindOfErrno(error), std::strerror(error)};
}

speed_t SpeedOf(unsigned baud)
{
    switch (baud) {
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    default: return B0;
    }
}

int64_t SteadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

PosixSerialBackend::~PosixSerialBackend()
{
    Close();
}

bool PosixSerialBackend::Open(const std::string& devicePath, unsigned baud, OpenFailure& failure)
{
    Close();
    fd_ = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        failure = FailureOf(errno);
        return false;
    }
    // TIOCEXCL keeps other users out but not root; the advisory lock holds for root too.
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0 || ::ioctl(fd_, TIOCEXCL) != 0) {
        failure = FailureOf(errno == EWOULDBLOCK ? EBUSY : errno);
        ::close(fd_);
        fd_ = -1;
        return false;
    }
    if (!Configure(baud)) {
        failure = {OpenFailureKind::Settings, std::strerror(errno)};
        Close();
        return false;
    }
    queue_.reserve(kQueueSize);
    Purge();
    return true;
}

bool PosixSerialBackend::Configure(unsigned baud)
{
    termios settings{};
    if (::tcgetattr(fd_, &settings) != 0)
        return false;
    const tcflag_t hardwareFlow = settings.c_cflag & CRTSCTS;
    ::cfmakeraw(&settings);
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    settings.c_cflag |= CS8 | CLOCAL | CREAD | hardwareFlow;
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    const speed_t speed = SpeedOf(baud);
    if (speed == B0 || ::cfsetispeed(&settings, speed) != 0 || ::cfsetospeed(&settings, speed) != 0)
        return false;
    if (::tcsetattr(fd_, TCSANOW, &settings) != 0)
        return false;
    // DTR and RTS off; a PTY has no modem lines and refuses this, which is fine.
    int lines = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd_, TIOCMBIC, &lines);
    writeMsPerByte_ = static_cast<int>(19200 / baud);
    return true;
}

void PosixSerialBackend::Close()
{
    if (fd_ < 0)
        return;
    // The exclusive flag belongs to the tty, not to this descriptor: clear it for the next user.
    ::ioctl(fd_, TIOCNXCL);
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
    queue_.clear();
}

void PosixSerialBackend::Purge()
{
    if (fd_ < 0)
        return;
    ::tcflush(fd_, TCIOFLUSH);
    queue_.clear();
}

bool PosixSerialBackend::PollFor(short events, int timeoutMs) const
{
    pollfd entry{fd_, events, 0};
    const int ready = ::poll(&entry, 1, std::max(timeoutMs, 0));
    return ready > 0 && (entry.revents & events);
}

size_t PosixSerialBackend::Write(const uint8_t* data, size_t count)
{
    if (fd_ < 0)
        return 0;
    // The write time-out is per byte; at 19200 baud and above writes are not timed.
    const bool timed = writeMsPerByte_ > 0;
    const int64_t deadline = SteadyMs() + static_cast<int64_t>(writeMsPerByte_) * static_cast<int64_t>(count);
    size_t written = 0;
    while (written < count) {
        const ssize_t n = ::write(fd_, data + written, count - written);
        if (n > 0) {
            written += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return 0;
        const int wait = timed ? static_cast<int>(deadline - SteadyMs()) : 1000;
        if (timed && wait <= 0)
            return 0;
        PollFor(POLLOUT, wait);
    }
    return written;
}

void PosixSerialBackend::Drain()
{
    if (fd_ < 0)
        return;
    uint8_t chunk[512];
    while (queue_.size() < kQueueSize) {
        const size_t room = std::min(sizeof chunk, kQueueSize - queue_.size());
        const ssize_t n = ::read(fd_, chunk, room);
        if (n <= 0)
            break;
        queue_.insert(queue_.end(), chunk, chunk + n);
    }
}

size_t PosixSerialBackend::QueuedInput()
{
    Drain();
    return queue_.size();
}

size_t PosixSerialBackend::Read(uint8_t* destination, size_t count)
{
    constexpr int64_t kIntervalTimeoutMs = 100;
    if (fd_ < 0)
        return 0;
    const int64_t deadline = SteadyMs() + 10 * static_cast<int64_t>(count) + 100;
    Drain();
    while (queue_.size() < count) {
        const int64_t left = std::min(deadline - SteadyMs(), kIntervalTimeoutMs);
        const size_t before = queue_.size();
        if (left <= 0 || !PollFor(POLLIN, static_cast<int>(left)))
            break;
        Drain();
        if (queue_.size() == before)
            break;
    }
    const size_t n = std::min(count, queue_.size());
    std::copy_n(queue_.begin(), n, destination);
    queue_.erase(queue_.begin(), queue_.begin() + static_cast<std::ptrdiff_t>(n));
    return n;
}

size_t PosixSerialBackend::Peek(uint8_t* destination, size_t count)
{
    Drain();
    const size_t n = std::min(count, queue_.size());
    std::copy_n(queue_.begin(), n, destination);
    return n;
}

void PosixSerialBackend::WaitForInput(int maxMs)
{
    if (fd_ < 0)
        return;
    Drain();
    if (queue_.size() >= kQueueSize) {
        ::usleep(static_cast<useconds_t>(maxMs) * 1000);
        return;
    }
    pollfd entry{fd_, POLLIN, 0};
    if (::poll(&entry, 1, std::max(maxMs, 0)) > 0 && !(entry.revents & POLLIN)) {
        // A hung-up peer makes poll return at once; keep the step's length anyway.
        ::usleep(static_cast<useconds_t>(maxMs) * 1000);
        return;
    }
    Drain();
}

}  // namespace skarnel
