#include "sim/received_images.h"

#include "firmware/binary_file.h"
#include "sim/firmware_download.h"

#include <cstdio>

namespace skarnel::sim {

std::function<void(ImageKind, const std::vector<uint8_t>&)> ReceivedImageReporter(const std::string& folder)
{
    return [folder](ImageKind kind, const std::vector<uint8_t>& image) {
        std::printf("Received %s image: %zu bytes\n", ProfileOf(kind).name, image.size());
        if (!folder.empty()) {
            const std::string path = folder + "/" + ReceivedImageFileName(kind);
            const WriteResult written = WriteWholeFile(path, image);
            if (!written.Written())
                std::printf("Cannot write %s: %s\n", path.c_str(), written.reason.c_str());
        }
        std::fflush(stdout);
    };
}

}  // namespace skarnel::sim
