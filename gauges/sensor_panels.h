#pragma once

#include "gauges/graph_function.h"
#include "telemetry/telemetry_records.h"

#include <QRect>

class QPainter;

// The five sensor panels. A view owns one panel object and calls DrawPanel from its paint with
// its own copy of the record:
//
//     QImage image(size, QImage::Format_ARGB32_Premultiplied);
//     QPainter painter(&image);
//     panel.DrawPanel(painter, image.rect(), record);
//
// DrawPanel fills rect black and draws every instrument of the panel into it, scaled to its size
// (the layout is proportional; title sizes step with the width). It clips to rect, leaves the
// painter's state as it found it, and clamps every value to its instrument's scale. Fonts are
// sized in millimetres at 96 dpi for the painter's device, so draw into a QImage of the default
// resolution (any device pixel ratio) to get the same picture on every screen.
namespace skarnel {

class CGraph_Function_Panel : public CGraph_Function {
public:
    // Size of the instrument titles in millimetres, set by the last DrawPanel from the width.
    float FontFactor() const { return fontFactor_; }

protected:
    // Starts a panel paint: saves the painter, moves it to rect, clips, fills black, sets the
    // title size. FinishPanel restores the painter.
    void BeginPanel(QPainter& painter, const QRect& rect);
    static void FinishPanel(QPainter& painter);
    static void DrawSeparator(QPainter& painter, double x1, double y1, double x2, double y2);

private:
    float fontFactor_ = 4.0f;
};

class CGraph_Function_Electric : public CGraph_Function_Panel {
public:
    void DrawPanel(QPainter& painter, const QRect& rect, const ElectricData& record);
};

class CGraph_Function_General : public CGraph_Function_Panel {
public:
    void DrawPanel(QPainter& painter, const QRect& rect, const GeneralData& record);
};

class CGraph_Function_Gps : public CGraph_Function_Panel {
public:
    void DrawPanel(QPainter& painter, const QRect& rect, const GpsData& record);
};

class CGraph_Function_Receiver : public CGraph_Function_Panel {
public:
    void DrawPanel(QPainter& painter, const QRect& rect, const ReceiverData& record);
};

class CGraph_Function_Vario : public CGraph_Function_Panel {
public:
    void DrawPanel(QPainter& painter, const QRect& rect, const VarioData& record);
};

}  // namespace skarnel
