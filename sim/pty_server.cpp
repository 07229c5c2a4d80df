#include "sim/pty_server.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace skarnel::sim {
namespace {

int64_t SteadyNs()
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

// A PTY left cooked rewrites LF into CR LF and holds bytes back until a line ends.
bool MakeRaw(int fd)
{
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0)
        return false;
    ::cfmakeraw(&settings);
    return ::tcsetattr(fd, TCSANOW, &settings) == 0;
}

}  // namespace

PtyServer::PtyServer(ControllerEngine& engine) : engine_(engine) {}

PtyServer::~PtyServer()
{
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

bool PtyServer::Open(std::string& error)
{
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    const char* name = ::ptsname(master_);
    devicePath_ = name ? name : "";
    // Holding the far end open keeps its settings and keeps the master readable between users.
    slave_ = ::open(devicePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0 || !MakeRaw(slave_) || !MakeRaw(master_)) {
        error = std::string("cannot set up ") + devicePath_ + ": " + std::strerror(errno);
        return false;
    }
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    return true;
}

void PtyServer::Exchange(int64_t nowNs)
{
    uint8_t buffer[4096];
    ssize_t n;
    while ((n = ::read(master_, buffer, sizeof buffer)) > 0)
        engine_.Receive(buffer, static_cast<size_t>(n), nowNs);
    size_t out;
    while ((out = engine_.TakeOutput(buffer, sizeof buffer, nowNs)) > 0) {
        size_t written = 0;
        while (written < out) {
            const ssize_t w = ::write(master_, buffer + written, out - written);
            if (w > 0) {
                written += static_cast<size_t>(w);
            } else if (w < 0 && errno != EAGAIN && errno != EINTR) {
                return;
            } else {
                pollfd entry{master_, POLLOUT, 0};
                ::poll(&entry, 1, 10);
            }
        }
    }
}

void PtyServer::Run(const std::atomic<bool>& stop)
{
    constexpr int64_t kIdleNs = 100'000'000;
    while (!stop.load()) {
        const int64_t now = SteadyNs();
        Exchange(now);
        int64_t waitNs = kIdleNs;
        if (const std::optional<int64_t> next = engine_.NextOutputNs())
            waitNs = std::clamp<int64_t>(*next - SteadyNs(), 0, kIdleNs);
        pollfd entry{master_, POLLIN, 0};
        const timespec timeout{static_cast<time_t>(waitNs / 1'000'000'000), static_cast<long>(waitNs % 1'000'000'000)};
        ::ppoll(&entry, 1, &timeout, nullptr);
    }
}

}  // namespace skarnel::sim
