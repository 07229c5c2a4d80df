#include "gauges/graph_function.h"
#include "shell/view_table.h"
#include "telemetry/views/log_dbm_view.h"
#include "tests/support/gui_support.h"
#include "tests/support/temp_folder.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace skarnel::test {
namespace {

// `records` records of kind 3 (every `otherEvery`-th one of kind 6), channel i % 80, Tx i % 100
// and Rx 100 - i % 100.
std::vector<uint8_t> RfLog(int records, int otherEvery = 0)
{
    std::vector<uint8_t> bytes(static_cast<size_t>(records) * 64);
    for (int i = 0; i < records; ++i) {
        uint8_t* record = &bytes[static_cast<size_t>(i) * 64];
        record[1] = static_cast<uint8_t>(i % 80);
        record[2] = otherEvery && i % otherEvery == 0 ? 6 : 3;
        record[3] = static_cast<uint8_t>(i % 100);
        record[4] = static_cast<uint8_t>(100 - i % 100);
    }
    return bytes;
}

struct DbmViewFixture : FrameFixture {
    DbmViewFixture() : FrameFixture(TestFrameOptions())
    {
        view = dynamic_cast<CLog_DBM_View*>(frame->OpenView(kViewLogDbm));
        EXPECT_NE(view, nullptr);
        ShowOffScreen(*frame);
    }
    void Browse(const std::vector<uint8_t>& bytes)
    {
        dialogs.answer = QString::fromStdString(logs.Write("rf.bin", bytes));
        view->BrowseButton()->click();
    }

    ScriptedFileDialogs dialogs;
    RecordingMessageBoxes boxes;
    TempFolder logs;
    CLog_DBM_View* view = nullptr;
};

TEST(LogDbmView, OpensWithItsControls)
{
    DbmViewFixture f;
    EXPECT_EQ(f.view->BrowseButton()->text(), "Browse");
    EXPECT_TRUE(f.view->LoadButton()->isHidden());
    EXPECT_EQ(f.view->PlayButton()->text(), QString::fromUtf8("\u25B6"));
    EXPECT_EQ(f.view->StopButton()->text(), QString::fromUtf8("\u25A0"));
    EXPECT_EQ(f.view->ClearButton()->text(), "Clear");
    EXPECT_EQ(f.view->CountText()->text(), "0 / 0");
    EXPECT_TRUE(f.view->PaceBox()->isHidden());
    EXPECT_EQ(f.view->PaceBox()->currentText(), "100");
    EXPECT_EQ(f.view->PaceBox()->count(), 4);
    QAbstractItemModel* model = f.view->List()->model();
    const QStringList titles{"No", "Ch", "Tx", "Rx"};
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(model->headerData(column, Qt::Horizontal).toString(), titles[column]);
        EXPECT_GE(f.view->List()->horizontalHeader()->sectionSize(column), 40) << "the given width is the least";
        EXPECT_GT(f.view->List()->horizontalHeader()->sectionSize(column),
                  f.view->List()->fontMetrics().horizontalAdvance("255"))
            << "a byte's widest value fits";
    }
    EXPECT_FALSE(f.view->List()->wordWrap());
    EXPECT_TRUE(f.view->List()->horizontalHeader()->stretchLastSection());
}

TEST(LogDbmView, KeepsEveryKind3SampleAndNumbersThemFromZero)
{
    DbmViewFixture f;
    f.Browse(RfLog(1000));  // 64 000 bytes
    EXPECT_EQ(f.dialogs.filters.back(), "Log Data File(*.bin)|*.bin|ALL Filess(*.*)|*.*||");
    // Every sample, not only the first 500 a cap of half the records would keep.
    ASSERT_EQ(f.view->Samples().size(), 1000u);
    EXPECT_EQ(f.view->CountText()->text(), "1000 : 1000");
    EXPECT_EQ(f.view->ProgressBar()->maximum(), 10);
    EXPECT_EQ(f.view->ProgressBar()->value(), 10);
    QAbstractItemModel* model = f.view->List()->model();
    EXPECT_EQ(model->index(0, 0).data().toString(), "0");
    EXPECT_EQ(model->index(999, 0).data().toString(), "999");
    EXPECT_EQ(model->index(7, 1).data().toString(), "7");
    EXPECT_EQ(model->index(7, 3).data().toString(), "93");

    f.Browse(RfLog(1000, 4));  // kind 6 records are passed over
    EXPECT_EQ(f.view->Samples().size(), 750u);
}

TEST(LogDbmView, PlaysASampleEveryHalfThePace)
{
    DbmViewFixture f;
    f.Browse(RfLog(3));
    f.view->PlayButton()->click();
    EXPECT_TRUE(f.view->PlaybackTimer()->isActive());
    EXPECT_EQ(f.view->PlaybackTimer()->interval(), 50);
    f.view->StopButton()->click();
    EXPECT_FALSE(f.view->PlaybackTimer()->isActive());
    f.view->PaceBox()->setCurrentIndex(2);
    f.view->PlayButton()->click();
    EXPECT_EQ(f.view->PlaybackTimer()->interval(), 150);

    // Each step takes the next sample onto its channel and raises its highest levels.
    f.view->Tick();
    EXPECT_EQ(f.view->Cursor(), 1);
    EXPECT_EQ(f.view->Levels().txCurrent[1], 1);
    EXPECT_EQ(f.view->Levels().rxHighest[1], 99);
    EXPECT_EQ(f.view->List()->currentIndex().row(), 1);
    f.view->Tick();
    EXPECT_EQ(f.view->Cursor(), 2);
    // At the last sample the cursor returns to the first and the playback stops.
    f.view->Tick();
    EXPECT_EQ(f.view->Cursor(), 0);
    EXPECT_FALSE(f.view->PlaybackTimer()->isActive());

    f.view->ClearButton()->click();
    EXPECT_EQ(f.view->Levels().txHighest[1], 0);
}

TEST(LogDbmView, TheTimerDrivesThePlayback)
{
    DbmViewFixture f;
    f.Browse(RfLog(200));
    f.view->PlayButton()->click();
    ASSERT_TRUE(WaitUntil([&] { return f.view->Cursor() >= 2; }, 3000));
    f.view->StopButton()->click();
}

TEST(LogDbmView, AClickOnTheOverviewPicksTheSampleUnderIt)
{
    DbmViewFixture f;
    f.Browse(RfLog(100));
    QWidget* overview = f.view->Overview();
    QTest::mouseClick(overview, Qt::LeftButton, {}, QPoint(10, 5));
    EXPECT_EQ(f.view->Cursor(), 0);
    const int x = overview->width() - 20;
    QTest::mouseClick(overview, Qt::LeftButton, {}, QPoint(x, 5));
    EXPECT_EQ(f.view->Cursor(), std::min(99, CGraph_Function::FrameIndexAt(0, overview->width(), x, 100)));
    EXPECT_GT(f.view->Cursor(), 50);
    EXPECT_EQ(f.view->List()->currentIndex().row(), f.view->Cursor());
}

TEST(LogDbmView, ADamagedFileIsRefusedAndLeavesNoSamples)
{
    DbmViewFixture f;
    f.Browse(RfLog(10));
    std::vector<uint8_t> damaged = RfLog(10);
    damaged.push_back(0);
    f.Browse(damaged);
    ASSERT_EQ(f.boxes.Texts().size(), 1u);
    EXPECT_EQ(f.boxes.Texts()[0], "Log file size mismatch");
    EXPECT_TRUE(f.view->Samples().empty());
}

TEST(LogDbmView, TheLayoutFollowsTheViewsSize)
{
    DbmViewFixture f;
    f.view->resize(700, 500);
    EXPECT_EQ(f.view->TxChart()->geometry(), QRect(5, 70, 342, 250));
    EXPECT_EQ(f.view->RxChart()->geometry(), QRect(352, 70, 342, 250));
    EXPECT_EQ(f.view->Overview()->geometry(), QRect(5, 330, 495, 160));
    EXPECT_EQ(f.view->List()->geometry(), QRect(505, 330, 190, 160));
    EXPECT_EQ(f.view->ProgressBar()->geometry(), QRect(5, 45, 450, 20));
    EXPECT_EQ(f.view->CountText()->geometry(), QRect(470, 45, 130, 20));
}

}  // namespace
}  // namespace skarnel::test
