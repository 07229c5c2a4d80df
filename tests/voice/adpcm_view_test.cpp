#include "shell/view_table.h"
#include "tests/support/gui_support.h"
#include "tests/support/simulated_frame.h"
#include "tests/support/temp_folder.h"
#include "tests/voice/wave_fixtures.h"
#include "voice/sound_file.h"
#include "voice/wave_control.h"
#include "voice/views/adpcm_view.h"
#include "voice/views/dialog_wave_play.h"
#include "voice/views/dialog_voice_version.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <optional>

namespace skarnel::test {
namespace {

namespace fs = std::filesystem;

// The application's folder of one test, so that tests running side by side keep apart.
class ScopedApplicationFolder {
public:
    ScopedApplicationFolder() : previous_(std::getenv("SKARNEL_HOME") ? std::getenv("SKARNEL_HOME") : "")
    {
        setenv("SKARNEL_HOME", home.path().c_str(), 1);
    }
    ~ScopedApplicationFolder() { setenv("SKARNEL_HOME", previous_.c_str(), 1); }

    TempFolder home;

private:
    std::string previous_;
};

std::vector<uint8_t> Tone(size_t samples, double period)
{
    std::vector<int16_t> values(samples);
    for (size_t i = 0; i < samples; ++i)
        values[i] = static_cast<int16_t>(9000 * std::sin(static_cast<double>(i) / period));
    return MonoWave(Samples16(values));
}

std::vector<uint8_t> FileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<QString> Column(const QTableWidget* list, int column)
{
    std::vector<QString> texts;
    for (int row = 0; row < list->rowCount(); ++row)
        texts.push_back(list->item(row, column)->text());
    return texts;
}

// Answers the "Voice Version" dialog the next command opens: OK with the text, or Cancel.
void AnswerVersionDialog(std::optional<QString> text)
{
    QTimer::singleShot(0, [text] {
        auto* dialog = qobject_cast<CDialog_Voice_Version*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        if (!text) {
            dialog->VersionEdit()->setText("99");
            dialog->CancelButton()->click();
            return;
        }
        dialog->VersionEdit()->setText(*text);
        dialog->OkButton()->click();
    });
}

struct SoundDataViewFixture {
    SoundDataViewFixture()
    {
        view = dynamic_cast<CAdpcm_View*>(frame.frame->OpenView(kViewVoiceList));
        files.Write("hello.wav", Tone(11000, 5));
        WriteApmFile(files.Path("bye.apm"), 8000, PatternBytes(3001, 7));
    }

    void Select(const QStringList& paths)
    {
        dialogs.answers = paths;
        view->FileSelectButton()->click();
    }
    void SelectBoth()
    {
        Select({QString::fromStdString(files.Path("hello.wav")), QString::fromStdString(files.Path("bye.apm"))});
    }

    ScopedApplicationFolder home;
    TempFolder files;
    RecordingMessageBoxes boxes;
    ScriptedFileDialogs dialogs;
    SimulatedFrameFixture frame;
    CAdpcm_View* view = nullptr;
};

TEST(SoundDataView, SendsListsAndBacksUpTheSameBytes)
{
    SoundDataViewFixture f;
    ASSERT_NE(f.view, nullptr);
    f.SelectBoth();
    ASSERT_EQ(Column(f.view->PcList(), CAdpcm_View::kPcName), (std::vector<QString>{"hello.wav", "bye.apm"}));

    AnswerVersionDialog("2");
    f.view->SendButton()->click();
    ASSERT_TRUE(RunUntilJobEnds(*f.view));
    EXPECT_EQ(LogTexts(*f.view).end()[-2], "File Download Complete");
    EXPECT_EQ(f.view->VoiceDataVersion(), 2);
    EXPECT_EQ(Column(f.view->PcList(), CAdpcm_View::kPcStatus), (std::vector<QString>{"Ok", "Ok"}));
    EXPECT_EQ(Column(f.view->ControllerList(), kCtlName), (std::vector<QString>{"hello.wav", "bye.apm"}));

    f.view->FileListButton()->click();
    ASSERT_TRUE(RunUntilJobEnds(*f.view));
    EXPECT_EQ(LogTexts(*f.view).end()[-2], "File List Read Complete");
    EXPECT_EQ(Column(f.view->ControllerList(), kCtlName), (std::vector<QString>{"hello", "bye"}));
    EXPECT_EQ(Column(f.view->ControllerList(), kCtlSampleRate), (std::vector<QString>{"11025", "8000"}));

    f.view->BackupButton()->click();
    ASSERT_TRUE(RunUntilJobEnds(*f.view));
    EXPECT_EQ(LogTexts(*f.view).end()[-2], "File Backup Complete");
    EXPECT_EQ(Column(f.view->ControllerList(), kCtlStatus), (std::vector<QString>{"Ok", "Ok"}));
    EXPECT_EQ(Column(f.view->PcList(), CAdpcm_View::kPcName), (std::vector<QString>{"hello.apm", "bye.apm"}));
    const fs::path folder = f.view->BackupFolder();
    EXPECT_EQ(FileBytes(folder / "bye.apm"), FileBytes(f.files.Path("bye.apm")));
    std::vector<uint8_t> helloBackup = FileBytes(folder / "hello.apm");
    ASSERT_GT(helloBackup.size(), AdpcmFileHeader::kSize);
    EXPECT_EQ(helloBackup[12] | helloBackup[13] << 8, 11025);  // the header's sample rate
    helloBackup.erase(helloBackup.begin(), helloBackup.begin() + AdpcmFileHeader::kSize);
    EXPECT_EQ(helloBackup, FileBytes(IntermediateCopyPath(f.files.Path("hello.wav"))));
    EXPECT_EQ(Column(f.view->PcList(), CAdpcm_View::kPcSize),
              (std::vector<QString>{QString::number(helloBackup.size() + 32), "3033"}));
}

TEST(SoundDataView, ListsGrowToTheirLongestTexts)
{
    SoundDataViewFixture f;
    const std::string name = "a voice whose file name is longer than the name column of the list.wav";
    f.files.Write(name, Tone(11000, 5));
    f.Select({QString::fromStdString(f.files.Path(name))});
    ASSERT_EQ(f.view->PcList()->rowCount(), 1);
    EXPECT_EQ(ListShapeFaults(*f.view->PcList()), std::vector<std::string>{});
    AnswerVersionDialog("2");
    f.view->SendButton()->click();
    ASSERT_TRUE(RunUntilJobEnds(*f.view));
    ASSERT_EQ(f.view->ControllerList()->rowCount(), 1);
    EXPECT_EQ(ListShapeFaults(*f.view->ControllerList()), std::vector<std::string>{});
}

TEST(SoundDataView, CancelInTheVersionDialogAbandonsTheCommand)
{
    SoundDataViewFixture f;
    f.SelectBoth();
    AnswerVersionDialog("7");
    f.view->SendButton()->click();
    ASSERT_TRUE(RunUntilJobEnds(*f.view));
    ASSERT_EQ(f.view->VoiceDataVersion(), 7);
    const int logRows = f.view->LogList()->rowCount();

    AnswerVersionDialog(std::nullopt);
    f.view->SendButton()->click();
    EXPECT_FALSE(f.view->IsBusy());
    EXPECT_EQ(f.view->VoiceDataVersion(), 7);
    EXPECT_EQ(f.view->LogList()->rowCount(), 0) << logRows;
    EXPECT_EQ(f.view->ControllerList()->rowCount(), 2);

    f.dialogs.answer = QString::fromStdString(f.files.Path("set"));
    AnswerVersionDialog(std::nullopt);
    f.view->PackageButton()->click();
    EXPECT_FALSE(f.view->IsBusy());
    EXPECT_FALSE(fs::exists(f.files.Path("set.vdf")));
}

TEST(SoundDataView, VersionDialogTakesFourCharactersAndANumber)
{
    CDialog_Voice_Version dialog(-12);
    EXPECT_EQ(dialog.windowTitle(), "Voice Version");
    EXPECT_EQ(dialog.VersionEdit()->text(), "-12");
    EXPECT_EQ(dialog.VersionEdit()->maxLength(), 4);
    EXPECT_EQ(dialog.OkButton()->text(), QString::fromUtf8("확인"));
    EXPECT_EQ(dialog.CancelButton()->text(), QString::fromUtf8("취소"));
    dialog.VersionEdit()->setText("abc");
    EXPECT_EQ(dialog.Version(), 0);
}

TEST(SoundDataView, PackagesIntoTheChosenBundleName)
{
    SoundDataViewFixture f;
    f.SelectBoth();
    for (const auto& [chosen, written] : {std::pair{"voices", "voices.vdf"}, std::pair{"voices2.VDF", "voices2.VDF"}}) {
        f.dialogs.answer = QString::fromStdString(f.files.Path(chosen));
        AnswerVersionDialog("3");
        f.view->PackageButton()->click();
        ASSERT_TRUE(RunUntilJobEnds(*f.view));
        EXPECT_EQ(LogTexts(*f.view).end()[-2], "Bundle File Make Success");
        EXPECT_TRUE(fs::exists(f.files.Path(written))) << written;
    }
    EXPECT_FALSE(f.view->Port().IsConnected());
}

QColor BarColour(const UsageDisplay& display)
{
    return display.bar->palette().color(QPalette::Highlight);
}

TEST(SoundDataView, UsageDisplayColoursAndTexts)
{
    SoundDataViewFixture f;
    const UsageDisplay& usage = f.view->PcUsage();
    const uint32_t usable = f.view->UsableFlash();
    ASSERT_EQ(usable, 1630208u);
    struct Case {
        uint64_t used;
        QColor colour;
        QString sizeText;
        QString percentText;
        int bar;
    };
    const uint64_t eighty = (usable * 80ull + 99) / 100;
    const Case cases[] = {
        {eighty, QColor(0, 255, 0), QString("%1 / 1630208").arg(eighty), "(80 %)", 80},
        {usable * 81ull / 100 + 1, QColor(255, 255, 0), QString("%1 / 1630208").arg(usable * 81ull / 100 + 1), "(81 %)",
         81},
        {usable, QColor(255, 255, 0), "1630208 / 1630208", "(100 %)", 100},
        {usable + 1ull, QColor(255, 0, 0), "1630209 / 1630208", "(100 %)", 100},
        {usable * 101ull / 100 + 1, QColor(255, 0, 0), QString("%1 / 1630208").arg(usable * 101ull / 100 + 1),
         "(101 %)", 100},
    };
    for (const Case& c : cases) {
        usage.Show({c.used, usable});
        EXPECT_EQ(BarColour(usage), c.colour) << c.used;
        EXPECT_EQ(usage.sizeText->text(), c.sizeText);
        EXPECT_EQ(usage.percentText->text(), c.percentText);
        EXPECT_EQ(usage.bar->value(), c.bar);
    }
}

TEST(SoundDataView, RowsMoveDeleteAndKeepTheirNumbers)
{
    SoundDataViewFixture f;
    EXPECT_EQ(f.view->PcUsage().sizeText->text(), "0 / 1630208");
    f.SelectBoth();
    QTableWidget* list = f.view->PcList();
    list->selectRow(0);
    f.view->UpButton()->click();
    EXPECT_EQ(Column(list, CAdpcm_View::kPcName), (std::vector<QString>{"hello.wav", "bye.apm"}));
    f.view->DownButton()->click();
    EXPECT_EQ(Column(list, CAdpcm_View::kPcName), (std::vector<QString>{"bye.apm", "hello.wav"}));
    EXPECT_EQ(Column(list, CAdpcm_View::kPcNo), (std::vector<QString>{"1", "2"}));
    EXPECT_EQ(list->currentRow(), 1);
    f.view->DownButton()->click();
    EXPECT_EQ(list->currentRow(), 1);
    f.view->DeleteButton()->click();
    EXPECT_EQ(Column(list, CAdpcm_View::kPcNo), (std::vector<QString>{"1"}));
    list->selectRow(0);
    f.view->PcPlayButton()->click();
    EXPECT_EQ(f.boxes.Texts(), std::vector<QString>{"Wave File Only"});
    f.view->DeleteButton()->click();
    EXPECT_EQ(list->rowCount(), 0);
    EXPECT_EQ(f.view->PcUsage().sizeText->text(), "0 / 1630208");
    EXPECT_EQ(f.view->PcUsage().percentText->text(), "(0 %)");
}

TEST(SoundDataView, PreviewPlaysTheSoundAsTheControllerWillPlayIt)
{
    SoundDataViewFixture f;
    f.SelectBoth();
    f.view->PcList()->selectRow(0);
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* player = qobject_cast<CDialog_Wave_Play*>(QApplication::activeModalWidget());
        ASSERT_NE(player, nullptr);
        shown = player->PathLabel()->text();
        player->accept();
    });
    f.view->PreviewButton()->click();
    EXPECT_EQ(shown.toStdString(), f.view->PreviewFile().string());
    uint32_t estimate = 0, rate = 0, byteRate = 0;
    EXPECT_EQ(CWave_Control::CheckWaveFile(f.view->PreviewFile(), estimate, rate, byteRate), kWaveAccepted);
    EXPECT_EQ(rate, 11025u);

    f.view->PcList()->selectRow(1);
    f.view->PreviewButton()->click();
    EXPECT_EQ(f.boxes.Texts(), std::vector<QString>{"Wave File Only"});
}

TEST(SoundDataView, RefusedFilesShowTheirBoxAndTheOthersAreAdded)
{
    SoundDataViewFixture f;
    WaveLayout stereo;
    stereo.channels = 2;
    stereo.data = Samples16({1, 2, 3, 4});
    f.files.Write("stereo.wav", WaveBytes(stereo));
    f.Select({QString::fromStdString(f.files.Path("stereo.wav")), QString::fromStdString(f.files.Path("hello.wav"))});
    ASSERT_EQ(f.boxes.Texts().size(), 1u);
    EXPECT_EQ(f.boxes.Boxes()[0].icon, MessageIcon::Warning);
    EXPECT_EQ(f.boxes.Boxes()[0].parent, f.view);
    EXPECT_EQ(Column(f.view->PcList(), CAdpcm_View::kPcName), std::vector<QString>{"hello.wav"});
    EXPECT_EQ(f.dialogs.filters.back(), "PCM File(*.wav *.apm);;Wave File(*.wav);;ADPCM Filess(*.apm)");
}

}  // namespace
}  // namespace skarnel::test
