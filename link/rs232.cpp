#include "link/rs232.h"

#include "base/clock.h"

#include <algorithm>

namespace skarnel {

CRS232::CRS232(std::unique_ptr<SerialBackend> backend, Clock& clock) : backend_(std::move(backend)), clock_(&clock) {}

CRS232::~CRS232() = default;

bool CRS232::OpenPort(int number, unsigned baud)
{
    return OpenPort(SerialPortId::FromNumber(number), baud);
}

bool CRS232::OpenPort(const SerialPortId& port, unsigned baud)
{
    isConnected_ = 0;
    portNumber = 0;
    lastOpenFailure_ = {};
    if (!port.IsValid()) {
        lastOpenFailure_ = {OpenFailureKind::NotFound, "no such port"};
        return false;
    }
    portNumber = port.Number();
    if (!backend_->Open(port.DevicePath(), baud, lastOpenFailure_))
        return false;
    isConnected_ = 1;
    return true;
}

void CRS232::ClosePort()
{
    isConnected_ = 0;
    clock_->SleepMs(100);
    backend_->Purge();
    clock_->SleepMs(100);
    backend_->Close();
    clock_->SleepMs(100);
}

size_t CRS232::WriteBytes(const uint8_t* data, size_t count)
{
    return backend_->Write(data, count);
}

size_t CRS232::InputQueueCount()
{
    return backend_->QueuedInput();
}

size_t CRS232::ReadToBuffer(size_t count)
{
    receiveBuffer_.fill(0);
    if (count == 0)
        return 0;
    return backend_->Read(receiveBuffer_.data(), std::min(count, kReceiveBufferSize));
}

size_t CRS232::AppendToBuffer(size_t offset, size_t count)
{
    if (offset >= kReceiveBufferSize || count == 0)
        return 0;
    return backend_->Read(receiveBuffer_.data() + offset, std::min(count, kReceiveBufferSize - offset));
}

size_t CRS232::PeekInput(uint8_t* destination, size_t count)
{
    return backend_->Peek(destination, count);
}

void CRS232::DiscardInput()
{
    std::array<uint8_t, kReceiveBufferSize> discarded;
    const size_t waiting = InputQueueCount();
    if (waiting > 0)
        backend_->Read(discarded.data(), std::min(waiting, discarded.size()));
}

size_t CRS232::ReadBytes(uint8_t* destination, size_t count)
{
    if (count == 0)
        return 0;
    return backend_->Read(destination, count);
}

void CRS232::WaitPollStep(int maxMs)
{
    backend_->WaitForInput(maxMs);
}

bool CRS232::WaitForData(int timeoutMs)
{
    return WaitForCount(timeoutMs, 1);
}

// A poll step ends early when bytes come, so the polls are bounded by their total time
// (timeout rounded down to whole steps) rather than by their number.
bool CRS232::WaitForCount(int timeoutMs, size_t count)
{
    const int64_t pollingMs = timeoutMs / kPollStepMs * kPollStepMs;
    const int64_t deadline = clock_->NowMs() + pollingMs;
    while (pollingMs > 0) {
        if (InputQueueCount() >= count)
            return true;
        const int64_t left = deadline - clock_->NowMs();
        if (left <= 0)
            break;
        WaitPollStep(static_cast<int>(std::min<int64_t>(left, kPollStepMs)));
    }
    clock_->SleepMs(10);
    return false;
}

}  // namespace skarnel
