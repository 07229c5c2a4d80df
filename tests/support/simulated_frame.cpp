#include "tests/support/simulated_frame.h"

namespace skarnel::test {

MainFrameOptions OnSimulatedController(SimulatedController& controller, MainFrameOptions options)
{
    options.commandLinePort = SerialPortId::FromPath(SimulatedController::kDevicePath);
    options.connections = controller.Connections();
    return options;
}

SimulatedFrameFixture::SimulatedFrameFixture(sim::ControllerState state, MainFrameOptions options,
                                             const std::function<void(CApp_Settings&)>& presets)
    : WithSimulatedController(std::move(state)),
      FrameFixture(OnSimulatedController(controller, std::move(options)), presets)
{
}

}  // namespace skarnel::test
