#include "clock/clock_record.h"
#include "firmware/product_lines.h"
#include "fuzz/sessions/sessions.h"
#include "link/download_function.h"
#include "link/product_info.h"

namespace skarnel::fuzz {
namespace {

constexpr ScriptedCommand kCommands[] = {
    {kGroupApplication, 0x10},  // version addresses
    {kGroupApplication, 0x11},  // product information
    {kGroupApplication, 0x31},  // clock read
};

void ShowProduct(CDownload_Function& link)
{
    ProductInfo product;
    if (!link.ReadProductInfo(product))
        return;
    ProductCodesLogLine(product);
    ProductNameLogLine(product);
    ProductLinesOf(product);
    LogControllerProduct(link.Window(), product);
}

void Run(CDownload_Function& link)
{
    ShowProduct(link);
    VersionAddressInfo addresses;
    if (link.ReadVersionAddressInfo(addresses))
        VersionAddressLogLine(addresses);
    ClockRecord clock;
    if (link.ReadClock(clock))
        ClockTimeText(clock);
}

}  // namespace

const Session kProductInfoSession{kCommands, Run};

}  // namespace skarnel::fuzz
