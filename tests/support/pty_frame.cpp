#include "tests/support/pty_frame.h"

namespace skarnel::test {
namespace {

MainFrameOptions OnPty(const SimProcess& sim, MainFrameOptions options)
{
    options.commandLinePort = SerialPortId::FromPath(sim.DevicePath());
    return options;
}

}  // namespace

PtyFrameFixture::PtyFrameFixture(const std::vector<std::string>& simOptions, MainFrameOptions options,
                                 const std::function<void(CApp_Settings&)>& presets)
    : WithSimProcess(simOptions), FrameFixture(OnPty(sim, std::move(options)), presets)
{
}

}  // namespace skarnel::test
