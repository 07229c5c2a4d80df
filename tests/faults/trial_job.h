#pragma once

#include "base/job.h"
#include "sim/controller_state.h"

#include <functional>
#include <memory>
#include <string>

namespace skarnel::test {

struct TrialRig;

// One job as a fault trial runs it, made afresh for every trial.
class TrialJob {
public:
    virtual ~TrialJob() = default;

    // The controller the job starts on.
    virtual sim::ControllerState Controller() const { return {}; }
    // Installs the controller's commands and writes the files the job reads; nothing fails yet.
    virtual void Prepare(TrialRig& rig) = 0;
    virtual JobOutcome Run(TrialRig& rig) = 0;
    // After a success: whether everything the job moved arrived whole and unchanged.
    virtual bool Delivered(TrialRig& rig) = 0;
};

struct TrialJobKind {
    std::string name;
    std::function<std::unique_ptr<TrialJob>()> make;
};

}  // namespace skarnel::test
