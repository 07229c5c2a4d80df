#pragma once

#include "link/serial_backend.h"
#include "link/serial_port_id.h"

class QWidget;

namespace skarnel {

// "Port Open Fail" titled "Fail", with the port and the reasons the system shows below it.
void ShowPortOpenFail(QWidget* parent, const SerialPortId& port, const OpenFailure& failure);

}  // namespace skarnel
