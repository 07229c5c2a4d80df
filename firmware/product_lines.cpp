#include "firmware/product_lines.h"

#include "base/format.h"
#include "link/product_info.h"
#include "base/reporter.h"

namespace skarnel {

ProductLineTexts BlankProductLines()
{
    return {"Product Name : ", "Buyer : ", "App Version   : ", "Boot Version  : ", "Product Code : "};
}

ProductLineTexts ProductLinesOf(const ProductInfo& info)
{
    return {
        Format("Product Name : %s", info.productName.c_str()),  Format("Buyer : %s", info.buyer.c_str()),
        Format("App Version   : %s", info.AppVerText.c_str()),  Format("Boot Version  : %s", info.BootVerText.c_str()),
        Format("Product Code : %s", info.AppPCodeText.c_str()),
    };
}

void LogControllerProduct(Reporter& window, const ProductInfo& info)
{
    window.ReportLogLine("Product Information Read From Controller");
    window.ReportLogLine(ProductCodesLogLine(info));
    window.ReportLogLine(ProductNameLogLine(info));
}

}  // namespace skarnel
