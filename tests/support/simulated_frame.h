#pragma once

#include "tests/support/gui_support.h"
#include "tests/support/simulated_controller.h"

namespace skarnel::test {

// Holds the controller as a base, so that it is made before the frame and outlives the frame's
// views and their connections.
struct WithSimulatedController {
    explicit WithSimulatedController(sim::ControllerState state) : controller(std::move(state)) {}
    SimulatedController controller;
};

// A main frame whose port is an in-process simulated controller and whose every connection
// leads to it, on virtual time.
struct SimulatedFrameFixture : WithSimulatedController, FrameFixture {
    explicit SimulatedFrameFixture(sim::ControllerState state = {}, MainFrameOptions options = TestFrameOptions(),
                                   const std::function<void(CApp_Settings&)>& presets = {});
};

// The options with the controller's port and connections.
MainFrameOptions OnSimulatedController(SimulatedController& controller, MainFrameOptions options);

}  // namespace skarnel::test
