#pragma once

#include "base/job.h"
#include "sim/controller_engine.h"
#include "sim/fault_plan.h"
#include "sim/voice_flash.h"
#include "tests/support/simulated_link.h"
#include "voice/voice_file_info.h"

#include <cstdint>
#include <string>
#include <vector>

namespace skarnel::test {

// A simulated link to a controller with a voice flash, keeping every request.
struct VoiceLink : SimulatedLink {
    explicit VoiceLink(uint32_t flashSize = 0x190000);

    sim::VoiceFlash& flash() { return engine().state().voiceFlash; }
    // The controller answers with a fault count times, from the at-th request of that code on.
    void AddFault(sim::FaultKind kind, uint8_t code, int count, int at = 1);
    // The voice flash requests of that code.
    std::vector<sim::Request> Requests(uint8_t code) const;
    // The addresses the write requests of that code carried, in order.
    std::vector<uint32_t> WriteAddresses(uint8_t code) const;
    int Count(const std::string& line) const;
    // Puts records into the info table of the flash, slot by slot from 0.
    void StoreRecords(const std::vector<VoiceFileInfo>& records);
};

// A job's success, with its final text handed to the test.
inline bool Ended(const JobOutcome& outcome, std::string& finalText)
{
    finalText = outcome.finalText;
    return outcome.succeeded;
}

// A valid record for a slot.
VoiceFileInfo StoredRecord(uint16_t slot, uint32_t size, uint32_t address, const std::string& name);

}  // namespace skarnel::test
