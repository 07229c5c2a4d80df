#include "firmware/views/module_firmware_view.h"
#include "shell/label.h"
#include "shell/settings_keys.h"
#include "shell/view_table.h"
#include "tests/support/gui_support.h"
#include "tests/support/simulated_frame.h"
#include "tests/support/temp_folder.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <mutex>

namespace skarnel::test {
namespace {

struct ModuleViewFixture {
    ModuleViewFixture() { view = dynamic_cast<CModule_Firmware_View*>(frame.frame->OpenView(kViewModuleFirmware)); }

    // The requests of group 6 the controller has received.
    std::vector<sim::Request> ModuleRequests()
    {
        std::lock_guard lock(frame.controller.mutex());
        std::vector<sim::Request> found;
        for (const sim::Request& request : frame.controller.engine().RequestLog())
            if (request.group == 6)
                found.push_back(request);
        return found;
    }

    RecordingMessageBoxes boxes;
    ScriptedFileDialogs dialogs;
    TempFolder files;
    SimulatedFrameFixture frame;
    CModule_Firmware_View* view = nullptr;
};

TEST(ModuleFirmwareView, SendsTheChosenCommandWithTheTypedText)
{
    ModuleViewFixture f;
    ASSERT_NE(f.view, nullptr);
    {
        std::lock_guard lock(f.frame.controller.mutex());
        f.frame.controller.engine().KeepRequestLog(true);
    }
    ASSERT_EQ(f.view->CommandChoice()->count(), 13);
    EXPECT_EQ(f.view->CommandChoice()->currentText(), "PCMD_FFdi_DiskInit");
    EXPECT_EQ(f.view->SendCommandButton()->text(), "Button1");

    f.view->SendCommandButton()->click();
    EXPECT_TRUE(f.ModuleRequests().empty());
    EXPECT_TRUE(f.boxes.Texts().empty());

    struct Case {
        int choice;
        QString text;
        uint8_t code;
        std::vector<uint8_t> payload;
    };
    const Case cases[] = {
        {8, "A", 0x38, {0x41, 0x00}},
        {0, "/Log", 0x30, {'/', 'L', 'o', 'g', 0x00}},
        {12, QString::fromUtf8("\xC3\xBC\xE2\x82\xAC"), 0x3C, {0xFC, 0xAC, 0x00}},
    };
    for (const Case& c : cases) {
        f.view->CommandChoice()->setCurrentIndex(c.choice);
        f.view->PayloadBox()->setText(c.text);
        f.view->SendCommandButton()->click();
        const auto requests = f.ModuleRequests();
        ASSERT_FALSE(requests.empty());
        EXPECT_EQ(requests.back().code, c.code);
        EXPECT_EQ(requests.back().payload, c.payload);
    }
    EXPECT_EQ(f.ModuleRequests().size(), 3u);
    EXPECT_TRUE(f.boxes.Texts().empty());
    EXPECT_FALSE(f.view->Port().IsConnected());
}

TEST(ModuleFirmwareView, DownloadStartRunsTheEmptyJobAndComesBack)
{
    ModuleViewFixture f;
    const std::string file = f.files.Write("module.bin", {1, 2, 3});
    f.dialogs.answer = QString::fromStdString(file);
    f.view->BrowseButton()->click();
    EXPECT_EQ(f.view->PathBox()->text(), QString::fromStdString(file));
    EXPECT_EQ(f.dialogs.filters.back(), "Module Upgrade Binary File(*.bin)|*.bin|ALL Filess(*.*)|*.*||");
    EXPECT_FALSE(f.view->CableLabel()->isVisibleTo(f.view));

    f.view->DownloadButton()->click();
    ASSERT_TRUE(RunUntilJobEnds(*f.view));
    const auto log = LogTexts(*f.view);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "Module Download Process Start!!");
    EXPECT_FALSE(f.view->Port().IsConnected());
    EXPECT_TRUE(f.view->DownloadButton()->isVisibleTo(f.view));
    EXPECT_FALSE(f.view->CableLabel()->isVisibleTo(f.view));
    EXPECT_TRUE(f.boxes.Texts().empty());
    EXPECT_EQ(f.frame.settings->ReadText(kKeyFirmwareFullPath), QString::fromStdString(file));
}

TEST(ModuleFirmwareView, ProductInfoReadLogsTheCodesWithoutTheMemoryVersion)
{
    ModuleViewFixture f;
    f.view->ProductInfoButton()->click();
    const auto log = LogTexts(*f.view);
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[1], "Product Information Read From Controller");
    EXPECT_EQ(log[2].rfind("   >> AppPCode:", 0), 0u);
    EXPECT_EQ(log[2].find("MemVer"), std::string::npos);
    EXPECT_NE(log[2].find("BootVer:"), std::string::npos);
}

}  // namespace
}  // namespace skarnel::test
