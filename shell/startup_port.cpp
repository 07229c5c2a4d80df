#include "shell/startup_port.h"

namespace skarnel {

StartupPort ChooseStartupPort(const std::optional<SerialPortId>& commandLine, int foundBridge, int storedNumber)
{
    if (commandLine)
        return {*commandLine, false};
    if (foundBridge > 0)
        return {SerialPortId::FromNumber(foundBridge), true};
    return {SerialPortId::FromNumber(storedNumber == kNoStoredPort ? 1 : storedNumber), false};
}

}  // namespace skarnel
