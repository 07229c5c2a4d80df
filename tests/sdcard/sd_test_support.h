#pragma once

#include "sim/sd_card.h"
#include "sim/sd_card_commands.h"
#include "tests/support/simulated_link.h"

#include <cstdint>
#include <string>
#include <vector>

namespace skarnel::test {

// A simulated link whose controller has the seeded SD card.
struct SdLink : SimulatedLink {
    SdLink()
    {
        sim::InstallSdCardCommands(engine(), card);
        engine().KeepRequestLog(true);
    }

    // The requests of group 6 with this code, in order.
    std::vector<sim::Request> Requests(uint8_t code) const { return SimulatedLink::Requests(6, code); }

    const std::vector<uint8_t>& CardFile(const std::string& path) { return card.Find(path)->data; }

    sim::SdCard card;
};

inline std::string PayloadString(const sim::Request& request)
{
    return std::string(request.payload.begin(), request.payload.end());
}

}  // namespace skarnel::test
