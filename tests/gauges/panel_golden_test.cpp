#include "gauges/sensor_panels.h"
#include "tests/gauges/golden_image.h"
#include "tests/gauges/panel_samples.h"

#include <QPainter>

#include <functional>
#include <gtest/gtest.h>

// Each panel with a record in flight, at a view's first size and at a large one.
namespace skarnel {
namespace {

using gauge_test::BlankImage;
using gauge_test::MatchesGolden;

struct GoldenCase {
    const char* name;
    std::function<void(QPainter&, const QRect&)> draw;
};

const GoldenCase kCases[] = {
    {"electric",
     [](QPainter& p, const QRect& r) { CGraph_Function_Electric().DrawPanel(p, r, gauge_samples::Electric()); }},
    {"general",
     [](QPainter& p, const QRect& r) { CGraph_Function_General().DrawPanel(p, r, gauge_samples::General()); }},
    {"gps", [](QPainter& p, const QRect& r) { CGraph_Function_Gps().DrawPanel(p, r, gauge_samples::Gps()); }},
    {"receiver",
     [](QPainter& p, const QRect& r) { CGraph_Function_Receiver().DrawPanel(p, r, gauge_samples::Receiver()); }},
    {"vario", [](QPainter& p, const QRect& r) { CGraph_Function_Vario().DrawPanel(p, r, gauge_samples::Vario()); }},
};

const QSize kSizes[] = {{490, 390}, {720, 500}};

TEST(PanelGolden, EveryPanelAtTwoSizesLooksAsRecorded)
{
    if (!gauge_test::GoldenFontsInstalled())
        GTEST_SKIP() << "the golden pictures need fonts-dseg and fonts-liberation2";
    for (const GoldenCase& golden : kCases) {
        for (const QSize size : kSizes) {
            QImage image = BlankImage(size.width(), size.height());
            QPainter painter(&image);
            golden.draw(painter, image.rect());
            painter.end();
            EXPECT_TRUE(MatchesGolden(
                QStringLiteral("%1_%2x%3").arg(QLatin1String(golden.name)).arg(size.width()).arg(size.height()),
                image));
        }
    }
}

// The tolerance absorbs font rendering, not a change of reading: one climb value moved is seen.
TEST(PanelGolden, TheToleranceStillSeesAChangedReading)
{
    if (!gauge_test::GoldenFontsInstalled())
        GTEST_SKIP() << "the golden pictures need fonts-dseg and fonts-liberation2";
    VarioData record = gauge_samples::Vario();
    record.alt1sec += 20;
    QImage image = BlankImage(490, 390);
    QPainter painter(&image);
    CGraph_Function_Vario().DrawPanel(painter, image.rect(), record);
    painter.end();
    EXPECT_GT(gauge_test::CompareImages(QImage(QStringLiteral(SKARNEL_GAUGE_GOLDEN_DIR "/vario_490x390.png")), image)
                  .differingShare,
              gauge_test::kGoldenTolerance);
}

}  // namespace
}  // namespace skarnel
