#include "clock/controller_setup_view.h"
#include "firmware/firmware_view.h"
#include "model/menu_view.h"
#include "model/model_conversion_view.h"
#include "sdcard/sd_file_control_view.h"
#include "shell/view_registry.h"
#include "tools/merge_gang_view.h"
#include "tools/merge_view.h"

namespace skarnel {

template <typename View>
ViewFactory Make()
{
    return [](CMainFrame& mainFrame) { return new View(mainFrame); };
}

void RegisterViews(ViewRegistry& registry)
{
    registry.Register(kViewFirmware, Make<CFirmware_View>());
    registry.Register(kViewControllerTime, Make<CController_Setup_View>());
    registry.Register(kViewMerge, Make<CMerge_View>());
    registry.Register(kViewMergeGang, Make<CMerge_Gang_View>());
    registry.Register(kViewModelData, Make<CMenu_View>());
    registry.Register(kViewModelConversion, Make<CModel_Conversion_View>());
    registry.Register(kViewSdFileControl, Make<CSD_File_Control_View>());
}

}  // namespace skarnel
