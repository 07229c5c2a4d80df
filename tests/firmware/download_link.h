#pragma once

#include "sim/controller_engine.h"
#include "tests/support/simulated_link.h"

#include <cstdint>
#include <string>
#include <vector>

namespace skarnel::test {

// A simulated link whose controller also takes firmware downloads.
struct DownloadLink : SimulatedLink {
    explicit DownloadLink(sim::ControllerState state = {});

    // Restarts the controller into its boot loader, waits for the boot-up frame and sends the
    // download start, as before an application image.
    bool EnterBootLoader();
    // The boot loader, then the file information of an application image of that size.
    bool AnnounceApplication(uint32_t size);

    std::vector<sim::Request> Requests(uint8_t code) const;
    std::vector<std::string> ProgressTexts() const;
    int64_t Elapsed(int64_t since) { return clock.NowMs() - since; }
};

}  // namespace skarnel::test
