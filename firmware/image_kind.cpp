#include "firmware/image_kind.h"

#include "link/download_function.h"

namespace skarnel {
namespace {

// The application image follows an ST boot loader image without a restart or a second
// download start; that ordering is the upgrade procedure's business.
constexpr ImageKindProfile kBootLoader{
    ImageKind::BootLoader, "Boot Loader", false, kGroupApplication, kGroupApplication, false, true, false, false,
};
constexpr ImageKindProfile kApplication{
    ImageKind::Application, "Application", true, kGroupBootLoader, kGroupBootLoader, true, true, true, true,
};
constexpr ImageKindProfile kStBootLoader{
    ImageKind::StBootLoader, "ST Boot Loader", true, kGroupBootLoader, kGroupStBootLoader, true, false, false, false,
};

}  // namespace

const ImageKindProfile& ProfileOf(ImageKind kind)
{
    switch (kind) {
    case ImageKind::BootLoader: return kBootLoader;
    case ImageKind::StBootLoader: return kStBootLoader;
    case ImageKind::Application: break;
    }
    return kApplication;
}

}  // namespace skarnel
