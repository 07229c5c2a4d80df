#include "firmware/download_texts.h"

#include "base/format.h"

#include <array>

namespace skarnel {

std::string DownloadStatusText(ImageKind kind, int block, int blocks)
{
    switch (kind) {
    case ImageKind::BootLoader: return Format("Boot Loader Firmware Downloading...   %d/%d", block, blocks);
    case ImageKind::StBootLoader: return Format("ST Boot Loader Firmware Downloading...   %d/%d", block, blocks);
    case ImageKind::Application: break;
    }
    return Format("Application Firmware Downloading...   %d/%d", block, blocks);
}

std::string ProgressLineText(int block, int blocks)
{
    return Format("Progress : %d / %d      ", block, blocks);
}

// Steps 1 to 8 are 20 characters wide, 9 and 10 are 21.
std::string ArrowText(int step)
{
    static const std::array<const char*, 10> kArrows{
        "->                  ",  "->->                ",  "->->->              ", "->->->->            ",
        "->->->->->          ",  "->->->->->->        ",  "->->->->->->->      ", "->->->->->->->->    ",
        "->->->->->->->->->   ", "->->->->->->->->->-> ",
    };
    if (step < 1 || step > 10)
        return {};
    return kArrows[static_cast<size_t>(step - 1)];
}

std::vector<std::string> FirmwareBannerLines(int displayType)
{
    if (displayType == 0)
        return {"---------------------", "* Firmware Download *", "* Process Start     *", "* Please Wait....   *",
                "---------------------"};
    if (displayType == 1)
        return {"----------------------------------------", "* Firmware Download Process Start      *",
                "* Please Wait....                      *", "----------------------------------------"};
    return {};
}

std::string BootupWaitText(int elapsedTenths)
{
    return Format("Waiting....  %d%% / %d%%", elapsedTenths, 100);
}

}  // namespace skarnel
