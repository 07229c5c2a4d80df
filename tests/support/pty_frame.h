#pragma once

#include "tests/support/gui_support.h"
#include "tests/support/processes.h"

#include <string>
#include <vector>

namespace skarnel::test {

// Holds skarnel-sim as a base, so that it runs before the frame is made and until it is gone.
struct WithSimProcess {
    explicit WithSimProcess(const std::vector<std::string>& options) : sim(options) {}
    SimProcess sim;
};

// A main frame whose port is skarnel-sim's PTY, reached through the real serial connections on
// the system clock: the frame of the end-to-end tests.
struct PtyFrameFixture : WithSimProcess, FrameFixture {
    explicit PtyFrameFixture(const std::vector<std::string>& simOptions = {},
                             MainFrameOptions options = TestFrameOptions(),
                             const std::function<void(CApp_Settings&)>& presets = {});
};

}  // namespace skarnel::test
