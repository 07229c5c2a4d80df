#include "shell/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace skarnel {
namespace {

constexpr const char* kWineFontFiles[] = {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"};

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
            QFontDatabase::addApplicationFont(file);
    }
    if (!HasFamily("Arial") && HasFamily("Liberation Sans"))
        QFont::insertSubstitution("Arial", "Liberation Sans");
}

}  // namespace skarnel
