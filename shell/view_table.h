#pragma once

#include <string>

namespace skarnel {

// The function views, by the index with which menus, the menu pane and the live-log worker
// name them.
enum ViewIndex : int {
    kViewFirmware = 0,
    kViewModuleFirmware = 1,
    kViewMerge = 2,
    kViewMergeGang = 3,
    kViewModelData = 4,
    kViewVoiceList = 5,
    kViewVoicePackage = 6,
    kViewLogSensor = 7,
    kViewLogDbm = 8,
    kViewControllerTime = 9,
    kViewLiveLogDbm = 10,
    kViewLiveLogCell = 11,
    kViewLiveLogSensor = 12,
    kViewLiveSensorGeneral = 13,
    kViewLiveSensorReceiver = 14,
    kViewLiveSensorElectric = 15,
    kViewLiveSensorGps = 16,
    kViewLiveSensorVario = 17,
    kViewModelConversion = 18,
    kViewSdFileControl = 19,
    kViewGpsMap = 20,
    kViewGpsCurve = 21,
};
inline constexpr int kViewCount = 22;

// Requests the main frame takes besides view indices.
enum FrameRequest : int {
    kRequestNothing = -1,
    kRequestPortSelect = 22,
    kRequestLiveLogStart = 23,
    kRequestLiveLogStop = 24,
};

// How the child frame of a view looks when it opens.
struct ViewSpec {
    const char* className;
    const char* title;
    int width;
    int height;
    int minimumWidth;  // 0: no minimum
    int minimumHeight;
    bool fixedSize;  // no sizing border, no maximise box
};

bool IsViewIndex(int index);
// The entry of a valid view index.
const ViewSpec& ViewSpecFor(int index);

// The live view of a sensor module type; -1 for a type without one.
int SensorViewIndex(int sensorType);

}  // namespace skarnel
