#include "sdcard/sd_codes.h"

#include <array>

namespace skarnel {

std::string FatResultText(int result)
{
    static constexpr std::array<const char*, 14> kTexts{"PRES_Fat_OK",
                                                        "PRES_Fat_NOT_READY",
                                                        "PRES_Fat_NO_FILE",
                                                        "PRES_Fat_FR_NO_PATH",
                                                        "PRES_Fat_INVALID_NAME",
                                                        "PRES_Fat_INVALID_DRIVE",
                                                        "PRES_Fat_DENIED",
                                                        "PRES_Fat_EXIST",
                                                        "PRES_Fat_RW_ERROR",
                                                        "PRES_Fat_WRITE_PROTECTED",
                                                        "PRES_Fat_NOT_ENABLED",
                                                        "PRES_Fat_NO_FILESYSTEM",
                                                        "PRES_Fat_INVALID_OBJECT",
                                                        "PRES_Fat_MKFS_ABORTED"};
    if (result >= 0 && result < static_cast<int>(kTexts.size()))
        return kTexts[static_cast<size_t>(result)];
    if (result == kSdResultCanceled)
        return "File Transfer Canceled";
    if (result == kSdResultNone)
        return " ";
    return {};
}

}  // namespace skarnel
