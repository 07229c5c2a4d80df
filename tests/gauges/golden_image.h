#pragma once

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

namespace skarnel::gauge_test {

// A blank image of the size, in the format the views draw into.
QImage BlankImage(int width, int height);

// How far two pictures of the same size differ: the share of pixels whose colour differs by more
// than rendering noise (any channel by more than 64), and the largest channel
// difference.
struct ImageDifference {
    double differingShare = 0;
    int largestChannelDifference = 0;
};
ImageDifference CompareImages(const QImage& expected, const QImage& actual);

// The golden pictures were drawn with the fonts scripts/setup installs (DSEG7, Liberation Sans);
// with others they cannot match, and the tests skip.
bool GoldenFontsInstalled();

// The share of pixels a picture may differ in from its golden one: a dial's value moved by a few
// degrees differs in more.
inline constexpr double kGoldenTolerance = 0.0002;

// Compares actual with the golden picture NAME.png (at most kGoldenTolerance of the pixels differing). With
// SKARNEL_UPDATE_GOLDEN=1 in the environment it writes the golden picture instead. On a mismatch
// the actual picture is saved beside the build for a look.
testing::AssertionResult MatchesGolden(const QString& name, const QImage& actual);

}  // namespace skarnel::gauge_test
