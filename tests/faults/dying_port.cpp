#include "tests/faults/dying_port.h"

#include "base/clock.h"

namespace skarnel::test {

DyingPort::DyingPort(std::unique_ptr<SerialBackend> inner, Clock& clock) : inner_(std::move(inner)), clock_(clock) {}

void DyingPort::DiesAtWrite(std::optional<int> write)
{
    diesAt_ = write ? std::optional<int>(writes_ + *write) : std::nullopt;
}

bool DyingPort::Open(const std::string& devicePath, unsigned baud, OpenFailure& failure)
{
    return inner_->Open(devicePath, baud, failure);
}

void DyingPort::Close()
{
    inner_->Close();
}

void DyingPort::Purge()
{
    if (!Gone())
        inner_->Purge();
}

size_t DyingPort::Write(const uint8_t* data, size_t count)
{
    ++writes_;
    return Gone() ? 0 : inner_->Write(data, count);
}

size_t DyingPort::QueuedInput()
{
    return Gone() ? 0 : inner_->QueuedInput();
}

size_t DyingPort::Read(uint8_t* destination, size_t count)
{
    return Gone() ? 0 : inner_->Read(destination, count);
}

size_t DyingPort::Peek(uint8_t* destination, size_t count)
{
    return Gone() ? 0 : inner_->Peek(destination, count);
}

// A dead port has nothing to wait for but the time.
void DyingPort::WaitForInput(int maxMs)
{
    if (Gone())
        clock_.SleepMs(maxMs);
    else
        inner_->WaitForInput(maxMs);
}

}  // namespace skarnel::test
