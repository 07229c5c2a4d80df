#include "tests/gauges/golden_image.h"

#include "gauges/gauge_font.h"

#include <QDir>

#include <algorithm>
#include <cstdlib>

namespace skarnel::gauge_test {
namespace {

constexpr int kRenderingNoise = 64;

int ChannelDifference(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b)),
                     std::abs(qAlpha(a) - qAlpha(b))});
}

}  // namespace

bool GoldenFontsInstalled()
{
    return gauges::InstalledGaugeFamily(QStringLiteral("LiquidCrystal")) == QLatin1String("DSEG7 Classic") &&
           gauges::InstalledGaugeFamily(QStringLiteral("Arial")) == QLatin1String("Liberation Sans");
}

QImage BlankImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

ImageDifference CompareImages(const QImage& expected, const QImage& actual)
{
    const QImage a = expected.convertToFormat(QImage::Format_ARGB32);
    const QImage b = actual.convertToFormat(QImage::Format_ARGB32);
    if (a.size() != b.size() || a.isNull())
        return {1.0, 255};
    ImageDifference difference;
    long differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const int channel = ChannelDifference(rowA[x], rowB[x]);
            difference.largestChannelDifference = std::max(difference.largestChannelDifference, channel);
            differing += channel > kRenderingNoise ? 1 : 0;
        }
    }
    difference.differingShare = double(differing) / (double(a.width()) * a.height());
    return difference;
}

testing::AssertionResult MatchesGolden(const QString& name, const QImage& actual)
{
    const QString golden = QStringLiteral(SKARNEL_GAUGE_GOLDEN_DIR "/") + name + QStringLiteral(".png");
    if (qEnvironmentVariableIntValue("SKARNEL_UPDATE_GOLDEN") == 1) {
        QDir().mkpath(QStringLiteral(SKARNEL_GAUGE_GOLDEN_DIR));
        // 256 colours keep the files small; the quantisation stays well within the tolerance.
        const QImage small = actual.convertToFormat(QImage::Format_RGB32)
                                 .convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
        if (!small.save(golden))
            return testing::AssertionFailure() << "cannot write " << golden.toStdString();
        return testing::AssertionSuccess();
    }
    const QImage expected(golden);
    if (expected.isNull())
        return testing::AssertionFailure()
               << "no golden picture " << golden.toStdString() << " (SKARNEL_UPDATE_GOLDEN=1 writes it)";
    const ImageDifference difference = CompareImages(expected, actual.convertToFormat(QImage::Format_RGB32));
    if (difference.differingShare <= kGoldenTolerance)
        return testing::AssertionSuccess();
    const QString saved = QStringLiteral(SKARNEL_GAUGE_ACTUAL_DIR "/") + name + QStringLiteral(".png");
    QDir().mkpath(QStringLiteral(SKARNEL_GAUGE_ACTUAL_DIR));
    actual.save(saved);
    return testing::AssertionFailure() << name.toStdString() << ": " << difference.differingShare * 100
                                       << " % of the pixels differ (largest channel difference "
                                       << difference.largestChannelDifference << "); actual picture in "
                                       << saved.toStdString();
}

}  // namespace skarnel::gauge_test
