#include "shell/function_view.h"
#include "shell/main_frame.h"
#include "shell/view_table.h"
#include "tests/support/gui_support.h"
#include "tests/support/simulated_frame.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTableView>

#include <gtest/gtest.h>

namespace skarnel::test {
namespace {

// The texts a user reads in a view that a narrow control would cut: labels on one line (hidden
// ones too, such as the warnings a job shows),
// buttons, group titles and list headers, each with the width its text needs.
std::vector<std::string> CutTexts(QWidget& view)
{
    std::vector<std::string> cut;
    const auto check = [&](const QWidget& widget, const QString& text, int needed, int available) {
        // A path or a name may be cut when its tooltip shows it whole; a system text may not.
        if (!text.trimmed().isEmpty() && widget.toolTip() != text && needed > available)
            cut.push_back(widget.metaObject()->className() + std::string(" \"") + text.toStdString() + "\" needs " +
                          std::to_string(needed) + " px, has " + std::to_string(available));
    };
    for (const QLabel* label : view.findChildren<QLabel*>()) {
        if (!label->wordWrap() && label->pixmap().isNull())
            check(*label, label->text(), label->fontMetrics().horizontalAdvance(label->text()),
                  label->contentsRect().width() - 2 * label->margin());
    }
    for (const QAbstractButton* button : view.findChildren<QAbstractButton*>()) {
        if (!button->text().isEmpty() && !qobject_cast<const QHeaderView*>(button->parent()))
            check(*button, button->text(), button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&')),
                  button->width() - 4);
    }
    for (const QGroupBox* group : view.findChildren<QGroupBox*>()) {
        if (!group->title().isEmpty())
            check(*group, group->title(), group->fontMetrics().horizontalAdvance(group->title()), group->width() - 8);
    }
    for (const QTableView* list : view.findChildren<QTableView*>()) {
        const QHeaderView* header = list->horizontalHeader();
        const int margins = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        for (int column = 0; list->model() && column < list->model()->columnCount(); ++column) {
            const QString title = list->model()->headerData(column, Qt::Horizontal).toString();
            if (!list->isColumnHidden(column))
                check(*list, title, header->fontMetrics().horizontalAdvance(title) + margins,
                      header->sectionSize(column));
        }
    }
    return cut;
}

// Every view the frame has built, whoever added it: opened at its default size, drawn into a
// picture, and no system text in it cut.
TEST(ViewWalk, EveryBuiltViewRendersWithNoSystemTextCut)
{
    SimulatedFrameFixture f;
    f.frame->resize(1280, 800);
    f.frame->show();
    // CTest runs the walk at QT_SCALE_FACTOR=2 too.
    const double scale =
        qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble() : 1;
    EXPECT_EQ(f.frame->devicePixelRatioF(), scale);
    int walked = 0;
    for (int index = 0; index < kViewCount; ++index) {
        if (!f.frame->IsViewAvailable(index))
            continue;
        CFunction_View* view = f.frame->OpenView(index);
        ASSERT_NE(view, nullptr) << index;
        QApplication::processEvents();
        EXPECT_FALSE(f.frame->grab().isNull()) << index;
        EXPECT_EQ(CutTexts(*view), std::vector<std::string>{}) << "view " << index;
        ++walked;
    }
    EXPECT_GT(walked, 5);
}

}  // namespace
}  // namespace skarnel::test
