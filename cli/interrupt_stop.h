#pragma once

#include "base/job.h"

#include <csignal>

namespace skarnel::cli {

// While it lives, Ctrl-C (SIGINT) asks the job to stop at its next stop check instead of
// killing the process in the middle of a write; a second Ctrl-C ends the process as usual.
class InterruptStop {
public:
    explicit InterruptStop(StopRequest& stop);
    ~InterruptStop();
    InterruptStop(const InterruptStop&) = delete;
    InterruptStop& operator=(const InterruptStop&) = delete;

private:
    struct sigaction previous_ {};
};

}  // namespace skarnel::cli
