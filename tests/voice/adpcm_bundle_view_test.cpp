#include "base/job.h"
#include "base/reporter.h"
#include "shell/view_table.h"
#include "tests/support/gui_support.h"
#include "tests/support/simulated_frame.h"
#include "tests/support/temp_folder.h"
#include "voice/sound_file.h"
#include "voice/views/adpcm_bundle_view.h"
#include "voice/voice_bundle.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace skarnel::test {
namespace {

namespace fs = std::filesystem;

std::vector<QString> Column(const QTableWidget* list, int column)
{
    std::vector<QString> texts;
    for (int row = 0; row < list->rowCount(); ++row)
        texts.push_back(list->item(row, column)->text());
    return texts;
}

sim::ControllerState WithVoiceFlash(uint32_t flashSize)
{
    sim::ControllerState state;
    state.voiceFlash.flashSize = flashSize;
    return state;
}

struct VoiceDataViewFixture {
    explicit VoiceDataViewFixture(uint32_t flashSize = 0x190000) : frame(WithVoiceFlash(flashSize))
    {
        view = dynamic_cast<CAdpcm_Bundle_View*>(frame.frame->OpenView(kViewVoicePackage));
        WriteApmFile(files.Path("one.apm"), 11025, PatternBytes(5000, 1));
        WriteApmFile(files.Path("two.apm"), 8000, PatternBytes(3000, 2));
    }

    // A bundle of the two sounds with this voice data version.
    std::string Bundle(const std::string& name, uint32_t version) const
    {
        const std::vector<VoiceSource> sounds{{files.Path("one.apm"), "one.apm", 5032, 11025},
                                              {files.Path("two.apm"), "two.apm", 3032, 8000}};
        std::string finalText;
        const std::string path = files.Path(name);
        EXPECT_TRUE(PackageVoiceBundle(sounds, path, version, kVoiceModels[0].modelCode, 0x190000, StopRequest(),
                                       NullReporter::Instance(), finalText));
        return path;
    }
    void Select(const std::string& path)
    {
        dialogs.answer = QString::fromStdString(path);
        view->FileSelectButton()->click();
    }

    TempFolder files;
    RecordingMessageBoxes boxes;
    ScriptedFileDialogs dialogs;
    SimulatedFrameFixture frame;
    CAdpcm_Bundle_View* view = nullptr;
};

TEST(VoiceDataView, ChoosesABundleSendsItAndListsTheController)
{
    VoiceDataViewFixture f;
    ASSERT_NE(f.view, nullptr);
    EXPECT_FALSE(f.view->SendButton()->isEnabled());
    const std::string bundle = f.Bundle("set.vdf", 2);
    f.Select(bundle);
    EXPECT_EQ(f.view->UsableFlash(), 0x190000u - 8192);
    EXPECT_FALSE(f.view->Port().IsConnected());
    EXPECT_EQ(Column(f.view->PcList(), CAdpcm_Bundle_View::kPcName), (std::vector<QString>{"one", "two"}));
    EXPECT_EQ(Column(f.view->PcList(), CAdpcm_Bundle_View::kPcSampleRate), (std::vector<QString>{"11025", "8000"}));
    EXPECT_EQ(f.view->BundleLine()->text(), QString::fromStdString("Voice Data File : " + bundle));
    EXPECT_EQ(f.view->PcUsage().sizeText->text(), "8000 / 1630208");
    EXPECT_TRUE(f.view->SendButton()->isEnabled());
    EXPECT_EQ(f.dialogs.filters.back(), "Voice Data File(*.vdf)|*.vdf|ALL Filess(*.*)|*.*||");

    f.view->SendButton()->click();
    ASSERT_TRUE(RunUntilJobEnds(*f.view));
    EXPECT_EQ(LogTexts(*f.view).end()[-2], "File Download Complete");
    EXPECT_EQ(f.boxes.Boxes().back().title, "Download");
    EXPECT_EQ(f.view->ControllerList()->rowCount(), 0);

    f.view->FileListButton()->click();
    ASSERT_TRUE(RunUntilJobEnds(*f.view));
    EXPECT_EQ(Column(f.view->ControllerList(), kCtlName), (std::vector<QString>{"one", "two"}));
    EXPECT_EQ(Column(f.view->ControllerList(), kCtlAddress), (std::vector<QString>{"8192", "13192"}));
    EXPECT_EQ(f.view->ControllerUsage().percentText->text(), "(0 %)");

    f.view->ControllerList()->selectRow(1);
    f.view->ControllerPlayButton()->click();
    EXPECT_EQ(LogTexts(*f.view).back(), "ADPCM Play Command Send");
    std::lock_guard lock(f.frame.controller.mutex());
    EXPECT_EQ(f.frame.controller.state().voiceFlash.lastPlayed, 1u);
}

TEST(VoiceDataView, RefusesABundleOfAnotherVersionAtSelection)
{
    VoiceDataViewFixture f;
    f.Select(f.Bundle("v3.vdf", 3));
    EXPECT_EQ(f.boxes.Texts().back(), "Voice Data Version Mismatch");
    EXPECT_FALSE(f.view->SendButton()->isEnabled());
    EXPECT_TRUE(f.view->ChosenBundle().empty());
    EXPECT_EQ(f.view->BundleLine()->text(), "Voice Data File : ");
    const auto log = LogTexts(*f.view);
    EXPECT_EQ(log.end()[-1], "Voice File Version : 3, Controller Voice Data Version : 2");
}

TEST(VoiceDataView, ListsABundleThatDoesNotFitButKeepsSendDisabled)
{
    VoiceDataViewFixture f(8192 * 2 + 7000);
    f.Select(f.Bundle("set.vdf", 2));
    EXPECT_EQ(f.view->PcList()->rowCount(), 2);
    EXPECT_FALSE(f.view->SendButton()->isEnabled());
    EXPECT_EQ(LogTexts(*f.view).back(), "Flash Memory Not Enough");
}

TEST(VoiceDataView, FileSelectWithoutAControllerSaysTheFlashSizeIsUnknown)
{
    VoiceDataViewFixture f;
    f.frame.controller.AddFault("no-reply,group=2,count=6");
    f.Select(f.Bundle("set.vdf", 2));
    ASSERT_FALSE(f.boxes.Texts().empty());
    EXPECT_EQ(f.boxes.Texts().back(), "Flash Size Unknown");
    EXPECT_EQ(LogTexts(*f.view).back(), "Flash Version Read Fail");
    EXPECT_TRUE(f.dialogs.filters.empty());
    EXPECT_FALSE(f.view->Port().IsConnected());
}

}  // namespace
}  // namespace skarnel::test
