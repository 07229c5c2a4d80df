#include "telemetry/views/chart_scale.h"

namespace skarnel {

bool ChartScale::Press(QPoint point, QSize chart)
{
    if (UpperRegion(chart).contains(point))
        upperAdjust = true;
    else if (LowerRegion(chart).contains(point))
        lowerAdjust = true;
    return upperAdjust || lowerAdjust;
}

bool ChartScale::Notch(bool forward)
{
    const int step = forward ? kStep : -kStep;
    if (upperAdjust && upper + step > lower) {
        upper += step;
        return true;
    }
    if (lowerAdjust && lower + step < upper && lower + step >= 0) {
        lower += step;
        return true;
    }
    return false;
}

QString ScaleText(int thousandths)
{
    return QString::asprintf("%.3f", thousandths / 1000.0);
}

}  // namespace skarnel
