#include "shell/port_open_fail.h"

#include "link/port_doctor.h"
#include "shell/message_boxes.h"

#include <QStringList>

namespace skarnel {

void ShowPortOpenFail(QWidget* parent, const SerialPortId& port, const OpenFailure& failure)
{
    QStringList lines;
    for (const std::string& line : DescribeOpenFailure(SystemProbe(), CurrentIdentity(), port, failure))
        lines << QString::fromStdString(line);
    ShowExplainedBox(parent, "Port Open Fail", lines.join('\n'), "Fail");
}

}  // namespace skarnel
