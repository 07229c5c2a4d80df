#include "shell/status_texts.h"

#include "base/format.h"

namespace skarnel {

std::string PortPaneText(const SerialPortId& port)
{
    if (port.Number() > 0)
        return Format(" Port : Com%d", port.Number());
    if (port.IsValid())
        return Format(" Port : %s ", port.DevicePath().c_str());
    return " Port : None ";
}

std::string BaudPaneText(unsigned baud)
{
    return Format(" Baud : %d", static_cast<int>(baud));
}

}  // namespace skarnel
