#include "sim/simulated_serial_backend.h"

#include "base/clock.h"

#include <algorithm>

namespace skarnel::sim {
namespace {

constexpr int64_t kNsPerMs = 1'000'000;

}  // namespace

SimulatedDevice::SimulatedDevice(ControllerState state) : engine_(std::move(state))
{
    std::string ignored;
    if (const std::string random = RandomFaultsFromEnvironment(); !random.empty())
        ParseRandomFaults(random, engine_.faults(), ignored);
}

bool SimulatedDevice::TryAcquire()
{
    std::lock_guard lock(mutex_);
    if (held_)
        return false;
    held_ = true;
    return true;
}

void SimulatedDevice::Release()
{
    std::lock_guard lock(mutex_);
    held_ = false;
}

SimulatedSerialBackend::SimulatedSerialBackend(std::shared_ptr<SimulatedDevice> device, Clock& clock,
                                               std::string devicePath)
    : device_(std::move(device)), clock_(clock), devicePath_(std::move(devicePath))
{
}

SimulatedSerialBackend::~SimulatedSerialBackend()
{
    Close();
}

int64_t SimulatedSerialBackend::NowNs() const
{
    return clock_.NowMs() * kNsPerMs;
}

bool SimulatedSerialBackend::Open(const std::string& devicePath, unsigned, OpenFailure& failure)
{
    if (!devicePath_.empty() && devicePath != devicePath_) {
        failure = {OpenFailureKind::NotFound, "No such file or directory"};
        return false;
    }
    if (open_ || !device_->TryAcquire()) {
        failure = {OpenFailureKind::Busy, "Device or resource busy"};
        return false;
    }
    open_ = true;
    Purge();
    return true;
}

void SimulatedSerialBackend::Close()
{
    if (!open_)
        return;
    open_ = false;
    queue_.clear();
    device_->Release();
}

void SimulatedSerialBackend::Purge()
{
    Collect();
    queue_.clear();
}

size_t SimulatedSerialBackend::Write(const uint8_t* data, size_t count)
{
    if (!open_)
        return 0;
    std::lock_guard lock(device_->mutex());
    device_->engine().Receive(data, count, NowNs());
    return count;
}

void SimulatedSerialBackend::Collect()
{
    if (!open_)
        return;
    uint8_t chunk[kQueueSize];
    const size_t room = kQueueSize - std::min(kQueueSize, queue_.size());
    std::lock_guard lock(device_->mutex());
    const size_t n = device_->engine().TakeOutput(chunk, room, NowNs());
    queue_.insert(queue_.end(), chunk, chunk + n);
}

size_t SimulatedSerialBackend::QueuedInput()
{
    Collect();
    return queue_.size();
}

size_t SimulatedSerialBackend::Read(uint8_t* destination, size_t count)
{
    Collect();
    const size_t n = std::min(count, queue_.size());
    std::copy_n(queue_.begin(), n, destination);
    queue_.erase(queue_.begin(), queue_.begin() + static_cast<std::ptrdiff_t>(n));
    return n;
}

size_t SimulatedSerialBackend::Peek(uint8_t* destination, size_t count)
{
    Collect();
    const size_t n = std::min(count, queue_.size());
    std::copy_n(queue_.begin(), n, destination);
    return n;
}

// Sleeps the step, or only until the controller's next bytes are due if that comes sooner.
void SimulatedSerialBackend::WaitForInput(int maxMs)
{
    int64_t waitMs = maxMs;
    {
        std::lock_guard lock(device_->mutex());
        if (const std::optional<int64_t> next = device_->engine().NextOutputNs()) {
            const int64_t untilNs = *next - NowNs();
            waitMs = std::clamp<int64_t>((untilNs + kNsPerMs - 1) / kNsPerMs, 0, maxMs);
        }
    }
    if (waitMs == 0) {
        const size_t before = queue_.size();
        Collect();
        if (queue_.size() > before)
            return;
        waitMs = maxMs;
    }
    clock_.SleepMs(waitMs);
    Collect();
}

}  // namespace skarnel::sim
