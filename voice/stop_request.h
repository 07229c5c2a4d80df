#pragma once

#include <atomic>

namespace skarnel {

// Whether the job's stop request (which may be absent) has been set.
inline bool StopRequested(const std::atomic<int>* stopRequest)
{
    return stopRequest && stopRequest->load() != 0;
}

}  // namespace skarnel
