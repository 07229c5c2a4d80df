#pragma once

#include "link/serial_port_id.h"

#include <string>

namespace skarnel {

// Status pane 0: " Port : Com%d", " Port : None " for no port, or the device path of a port
// that has no COM number.
std::string PortPaneText(const SerialPortId& port);
// Status pane 1: " Baud : %d".
std::string BaudPaneText(unsigned baud);

}  // namespace skarnel
