#pragma once

namespace skarnel {

// The three images an upgrade file can carry, as the upgrade handles them one at a time.
enum class ImageKind : int { BootLoader = 0, Application = 1, StBootLoader = 2 };

// What differs between the kinds when an image travels to the controller.
struct ImageKindProfile {
    ImageKind kind;
    const char* name;  // "Application", "Boot Loader", "ST Boot Loader"
    // Made ready by a restart and the boot-up wait; otherwise by the RF question and pause.
    bool madeReadyByRestart;
    int downloadStartGroup;
    // The group of the display commands, the file information and the data blocks.
    int transferGroup;
    // Display on and clear before the product information, and the banner.
    bool usesDisplay;
    bool checkedBeforeSending;  // product code and version against the controller's
    bool showsProgressLines;
    bool erasedAfterFailedTransfer;
};

const ImageKindProfile& ProfileOf(ImageKind kind);

}  // namespace skarnel
