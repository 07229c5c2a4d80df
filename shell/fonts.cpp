#include "shell/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace skarnel {
namespace {

constexpr const char* kWineFontFiles[] = {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"};

bool g_compatibleTahomaLoaded = false;

bool HasFamily(const QString& family)
{
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

}  // namespace

void LoadMetricCompatibleFonts()
{
    static bool loaded = false;
    if (loaded)
        return;
    loaded = true;
    if (!HasFamily("Tahoma")) {
        for (const char* file : kWineFontFiles)
            g_compatibleTahomaLoaded |= QFontDatabase::addApplicationFont(file) >= 0;
    }
    if (!HasFamily("Arial") && HasFamily("Liberation Sans"))
        QFont::insertSubstitution("Arial", "Liberation Sans");
}

QFont BoldFont(QFont font)
{
    font.setBold(true);
    if (g_compatibleTahomaLoaded && QFontInfo(font).family().compare("Tahoma", Qt::CaseInsensitive) == 0)
        font.setFamily("Arial");
    return font;
}

}  // namespace skarnel
