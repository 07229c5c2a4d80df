#include "shell/log_row.h"

#include "base/format.h"

namespace skarnel {

std::string LogNumberText(int number)
{
    return Format("%d", number);
}

std::string LogCalendarTimeText(std::time_t time)
{
    std::tm local{};
    localtime_r(&time, &local);
    char text[32] = {};
    std::strftime(text, sizeof text, "%Y-%m-%d (%H:%M:%S)", &local);
    return text;
}

}  // namespace skarnel
