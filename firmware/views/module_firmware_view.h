#pragma once

#include "firmware/views/firmware_view.h"

#include <array>
#include <cstdint>
#include <vector>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace skarnel {

// The commands of the module panel: entry i sends code 0x30 + i of group 6.
inline constexpr std::array<const char*, 13> kModuleCommands{
    "PCMD_FFdi_DiskInit",         "PCMD_FFds_DiskStatus", "PCMD_FFfi_ForceInit", "PCMD_FFfs_ShowDrive",
    "PCMD_FFfl_DirectoryList",    "PCMD_FFfo_FileOpen",   "PCMD_FFfc_FileClose", "PCMD_FFfe_FileSeek",
    "PCMD_FFfr_FileRead",         "PCMD_FFfd_FileDelete", "PCMD_FFfw_FileWrite", "PCMD_FFcd_ChangeDir",
    "PCMD_FFfl_DirectoryListOne",
};

// "Module Firmware Upgrade": the Firmware view for plug-in modules. Any file may be chosen;
// its upgrade job exchanges nothing yet and ends at once, which returns the view to its idle
// state. A panel sends one group-6 frame with a typed text as payload.
class CModule_Firmware_View final : public CFirmware_View {
    Q_OBJECT
public:
    explicit CModule_Firmware_View(CMainFrame& mainFrame);

    void DownloadStart() override;
    // Sends the chosen command with the typed text on a connection of its own; no reply is read.
    void SendCommand();

    QComboBox* CommandChoice() const { return commandChoice_; }
    QLineEdit* PayloadBox() const { return payloadBox_; }
    QPushButton* SendCommandButton() const { return sendCommandButton_; }

    // The low byte of each character, then a zero byte.
    static std::vector<uint8_t> CommandPayload(const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;
    const char* FileFilter() const override;
    bool AcceptFile(const QString& path) override;
    void LogProduct(const ProductInfo& info) override;

private:
    void PlaceCommandPanel();

    QComboBox* commandChoice_;
    QLineEdit* payloadBox_;
    QPushButton* sendCommandButton_;
};

}  // namespace skarnel
