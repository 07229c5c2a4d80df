#include "gauges/gauge_font.h"

#include <QFontDatabase>
#include <QPaintDevice>

#include <array>
#include <map>
#include <mutex>

namespace skarnel::gauges {
namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kPointsPerInch = 72.0;

struct FamilyChoice {
    const char* asked;
    std::array<const char*, 2> installed;  // the first one installed wins
};

// Debian's fonts-dseg, fonts-liberation2 and fonts-wine provide these faces.
constexpr std::array<FamilyChoice, 3> kFamilyChoices{{
    {"LiquidCrystal", {"DSEG7 Classic", "DSEG7 Modern"}},
    {"Arial", {"Arial", "Liberation Sans"}},
    {"tahoma", {"Tahoma", "DejaVu Sans"}},
}};

// Tahoma of fonts-wine lies outside the font configuration's folders.
constexpr std::array<const char*, 2> kPrivateFontFiles{
    "/usr/share/wine/fonts/tahoma.ttf",
    "/usr/share/wine/fonts/tahomabd.ttf",
};

void LoadPrivateFonts()
{
    static std::once_flag loaded;
    std::call_once(loaded, [] {
        for (const char* file : kPrivateFontFiles)
            QFontDatabase::addApplicationFont(QString::fromLatin1(file));
    });
}

QString SansSerif()
{
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QString LookUpFamily(const QString& family)
{
    LoadPrivateFonts();
    for (const FamilyChoice& choice : kFamilyChoices) {
        if (family.compare(QLatin1String(choice.asked), Qt::CaseInsensitive) != 0)
            continue;
        for (const char* candidate : choice.installed)
            if (QFontDatabase::hasFamily(QString::fromLatin1(candidate)))
                return QString::fromLatin1(candidate);
        return SansSerif();
    }
    return QFontDatabase::hasFamily(family) ? family : SansSerif();
}

}  // namespace

double MillimetresToPixels(double millimetres)
{
    return millimetres * kGaugeDotsPerInch / kMillimetresPerInch;
}

QString InstalledGaugeFamily(const QString& family)
{
    // Asking the font database on every text of every paint would cost more than the drawing.
    static std::mutex guard;
    static std::map<QString, QString> installed;
    std::lock_guard lock(guard);
    auto found = installed.find(family);
    if (found == installed.end())
        found = installed.emplace(family, LookUpFamily(family)).first;
    return found->second;
}

QFont CreateGaugeFont(const QString& family, int style, double millimetres, const QPaintDevice& device)
{
    QFont font(InstalledGaugeFamily(family));
    font.setStyleHint(QFont::SansSerif);
    font.setBold((style & kBold) != 0);
    font.setUnderline((style & 4) != 0);
    const int dotsPerInch = device.logicalDpiY() > 0 ? device.logicalDpiY() : static_cast<int>(kGaugeDotsPerInch);
    font.setPointSizeF(MillimetresToPixels(millimetres) * kPointsPerInch / dotsPerInch);
    return font;
}

}  // namespace skarnel::gauges
