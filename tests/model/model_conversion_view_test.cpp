#include "model/model_conversion.h"
#include "model/views/model_conversion_view.h"
#include "model/model_files.h"
#include "shell/view_table.h"
#include "tests/support/gui_support.h"
#include "tests/support/simulated_frame.h"
#include "tests/support/temp_folder.h"

#include <QComboBox>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace skarnel::test {
namespace {

constexpr uint32_t kKt40 = 16003300;
constexpr uint32_t kKt20 = 16003600;

// Records each message box with whether a conversion was running, and clicks "Conversion"
// again from inside the box, as a user could while a box's event loop runs.
class ReenteringMessageBoxes final : public MessageBoxes {
public:
    ReenteringMessageBoxes() { Install(this); }
    ~ReenteringMessageBoxes() override { Install(nullptr); }

    void Show(QWidget*, const QString& text, const QString&, MessageIcon) override
    {
        texts.push_back(text);
        shownWhileConverting.push_back(view != nullptr && view->IsConverting());
        if (view != nullptr && view->IsConverting())
            view->ConversionButton()->click();
    }
    bool Ask(QWidget*, const QString&, const QString&, MessageIcon) override { return false; }

    CModel_Conversion_View* view = nullptr;
    std::vector<QString> texts;
    std::vector<bool> shownWhileConverting;
};

// A controller of that product and model memory version.
sim::ControllerState Controller(uint32_t product, uint32_t memoryVersion)
{
    sim::ControllerState state;
    state.product.appProductCode = product;
    state.product.memoryVersion = memoryVersion;
    return state;
}

// The conversion view of a main frame on an in-process simulated controller.
struct ConversionFixture {
    explicit ConversionFixture(sim::ControllerState controller = {})
        : frame(std::move(controller)),
          view(dynamic_cast<CModel_Conversion_View*>(frame.frame->OpenView(kViewModelConversion)))
    {
        boxes.view = view;
    }

    // A model data file of that product and memory version whose model bytes follow a pattern.
    QString ModelFile(const std::string& name, uint32_t product, uint32_t memoryVersion,
                      std::vector<uint8_t> model = PatternBytes(4096, 7))
    {
        const std::vector<uint8_t> bytes = ModelFileBytes({product, 1, memoryVersion}, model.data(), model.size());
        return QString::fromStdString(files.Write(name, bytes));
    }

    void Select(const QStringList& paths)
    {
        dialogs.answers = paths;
        view->FileSelectButton()->click();
    }

    ReenteringMessageBoxes boxes;
    ScriptedFileDialogs dialogs;
    TempFolder files;
    TempFolder output;
    SimulatedFrameFixture frame;
    CModel_Conversion_View* view;
};

QStringList Row(const QTableWidget* list, int row)
{
    QStringList texts;
    for (int column = 0; column < list->columnCount(); ++column)
        texts << list->item(row, column)->text();
    return texts;
}

TEST(ModelConversionView, SelectKeepsFilesOfKnownProductsAndDeleteRenumbers)
{
    ConversionFixture f;
    ASSERT_NE(f.view, nullptr);
    EXPECT_TRUE(f.view->TargetChoice()->isHidden());
    EXPECT_EQ(f.view->TargetChoice()->currentText(), "Convert to KT20. MemVer : 1000");
    const QString first = f.ModelFile("first.mdl", kKt40, 1000);
    const QString other = f.ModelFile("other.mdl", 12345, 1000);
    const QString second = f.ModelFile("second.mdl", kKt20, 1001);
    const QString third = f.ModelFile("third.mdl", kKt40, 1001);
    f.Select({first, other, second, "/nonexistent/missing.mdl", third});
    EXPECT_EQ(f.dialogs.filters.back(), "Model Data File(*.mdl *.mdl)");
    EXPECT_EQ(f.boxes.texts, std::vector<QString>{"File Error : other.mdl"});
    ASSERT_EQ(f.view->SourceList()->rowCount(), 2) << "a file that cannot be opened ends the choice";
    EXPECT_EQ(Row(f.view->SourceList(), 0), (QStringList{"1", "first.mdl", "KT40", "1000", first}));
    EXPECT_EQ(Row(f.view->SourceList(), 1), (QStringList{"2", "second.mdl", "KT20", "1001", second}));

    f.view->DeleteButton()->click();
    EXPECT_EQ(f.view->SourceList()->rowCount(), 2) << "nothing selected, nothing deleted";
    f.view->SourceList()->selectRow(0);
    f.view->DeleteButton()->click();
    ASSERT_EQ(f.view->SourceList()->rowCount(), 1);
    EXPECT_EQ(Row(f.view->SourceList(), 0), (QStringList{"1", "second.mdl", "KT20", "1001", second}));
}

TEST(ModelConversionView, ConvertsEachSourceForTheConnectedControllerWhileBusy)
{
    ConversionFixture f(Controller(kKt40, 1001));
    ASSERT_NE(f.view, nullptr);
    f.view->ConversionButton()->click();
    EXPECT_TRUE(f.boxes.texts.empty()) << "nothing to convert";
    EXPECT_EQ(f.dialogs.folderQuestions, 0);

    const std::vector<uint8_t> model = PatternBytes(4096, 3);
    f.Select({f.ModelFile("old.mdl", kKt40, 1000, model), f.ModelFile("same.mdl", kKt40, 1001),
              f.ModelFile("unknown.mdl", kKt20, 999)});
    f.dialogs.folder = QString::fromStdString(f.output.path());
    f.view->ConversionButton()->click();

    EXPECT_EQ(f.boxes.texts, (std::vector<QString>{
                                 "Same Version - same.mdl   \r\n\r\n Product ID : 16003300  Version : 1001 \r\n File "
                                 "      ID : 16003300  Version : 1001 \r\n\r\n --Skip",
                                 "Model conversion info does not exist...  \r\n \r\nunknown.mdl \r\n \r\nProduct ID : "
                                 "16003600  Version : 999  "}));
    EXPECT_EQ(f.boxes.shownWhileConverting, (std::vector<bool>{true, true}));
    EXPECT_EQ(f.dialogs.folderQuestions, 1) << "a click during the conversion starts no second one";
    EXPECT_FALSE(f.view->IsConverting());
    ASSERT_EQ(f.view->TargetList()->rowCount(), 1);
    const QString target = QString::fromStdString(f.output.Path("old.mdl"));
    EXPECT_EQ(Row(f.view->TargetList(), 0), (QStringList{"1", "old.mdl", "KT40", "1001", target}));
    EXPECT_FALSE(f.output.Exists("same.mdl"));

    std::vector<uint8_t> expected(8192, 0xFF);
    ModelFileHeader{kKt40, 0, 1001}.EncodeInto(expected.data());
    size_t convertedSize = 0;
    ASSERT_TRUE(CModel_Conversion_Function().ConvertModelRecord(model, std::span(expected).subspan(4096), kKt40, 1000,
                                                                kKt40, 1001, convertedSize));
    EXPECT_EQ(f.output.Read("old.mdl"), expected);

    f.view->ConversionButton()->click();
    EXPECT_EQ(f.view->TargetList()->rowCount(), 2) << "the target list keeps the rows of earlier conversions";
}

// Bytes 16, 17 and 18 of a model hold its wing, tail and flap set-up.
std::vector<uint8_t> ModelWithSetUp(uint8_t wing, uint8_t tail, uint8_t flaps)
{
    std::vector<uint8_t> model = PatternBytes(4096, 5);
    model[16] = wing;
    model[17] = tail;
    model[18] = flaps;
    return model;
}

TEST(ModelConversionView, SkipsKt40ModelsThatDoNotFitAKt20Silently)
{
    ConversionFixture f(Controller(kKt20, 1001));
    ASSERT_NE(f.view, nullptr);
    f.Select({f.ModelFile("fits.mdl", kKt40, 1001, ModelWithSetUp(2, 2, 1)),
              f.ModelFile("too_many.mdl", kKt40, 1001, ModelWithSetUp(2, 2, 0))});
    f.dialogs.folder = QString::fromStdString(f.output.path());
    f.view->ConversionButton()->click();
    EXPECT_TRUE(f.boxes.texts.empty());
    ASSERT_EQ(f.view->TargetList()->rowCount(), 1);
    EXPECT_EQ(Row(f.view->TargetList(), 0).mid(1, 3), (QStringList{"fits.mdl", "KT20", "1001"}));
    EXPECT_FALSE(f.output.Exists("too_many.mdl"));
}

struct StoppedConversion {
    const char* name;
    uint32_t memoryVersion;
    bool portMissing;
    QString folder;
    std::vector<QString> boxes;
    int folderQuestions;
};

void PrintTo(const StoppedConversion& c, std::ostream* out)
{
    *out << c.name;
}

class ConversionStops : public testing::TestWithParam<StoppedConversion> {};

TEST_P(ConversionStops, WithItsMessageAndTheFlagCleared)
{
    const StoppedConversion& c = GetParam();
    ConversionFixture f(Controller(kKt40, c.memoryVersion));
    ASSERT_NE(f.view, nullptr);
    if (c.portMissing)
        f.frame.frame->SetPort(SerialPortId::FromPath("/dev/skarnel-no-such-port"));
    f.Select({f.ModelFile("newer.mdl", kKt40, 1001)});
    f.dialogs.folder = c.folder;
    f.view->ConversionButton()->click();
    EXPECT_EQ(f.boxes.texts, c.boxes);
    EXPECT_EQ(f.dialogs.folderQuestions, c.folderQuestions);
    EXPECT_FALSE(f.view->IsConverting());
    EXPECT_EQ(f.view->TargetList()->rowCount(), 0);
    EXPECT_FALSE(f.view->Port().IsConnected());
}

INSTANTIATE_TEST_SUITE_P(
    ModelConversionView, ConversionStops,
    testing::Values(StoppedConversion{"NoPort", 1000, true, "/tmp", {"Port Open Fail", "Product info read fail"}, 0},
                    StoppedConversion{
                        "ControllerWithoutTable",
                        1002,
                        false,
                        "/tmp",
                        {"Model conversion info does not exist...  \r\n \r\nController \r\n \r\nProduct ID : 16003300  "
                         "Version : 1002  "},
                        0},
                    StoppedConversion{"FolderCancelled", 1000, false, "", {}, 1},
                    StoppedConversion{
                        "TargetCannotBeCreated", 1000, false, "/nonexistent/folder", {"File Create Fail"}, 1}),
    [](const testing::TestParamInfo<StoppedConversion>& testInfo) { return std::string(testInfo.param.name); });

}  // namespace
}  // namespace skarnel::test
