#include "shell/app_settings.h"

#include "shell/settings_keys.h"

#include <QSettings>

namespace skarnel {
namespace {

QString GroupKey(const char* key)
{
    return QString(kSettingsGroup) + "/" + key;
}

}  // namespace

CApp_Settings::CApp_Settings() : store_(std::make_unique<QSettings>(QSettings::UserScope, "Skarnel", "Vennacor")) {}

CApp_Settings::CApp_Settings(const QString& iniFile)
    : store_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

CApp_Settings::~CApp_Settings() = default;

int CApp_Settings::ReadInt(const char* key, int defaultValue) const
{
    bool ok = false;
    const int value = store_->value(GroupKey(key), defaultValue).toInt(&ok);
    return ok ? value : defaultValue;
}

void CApp_Settings::WriteInt(const char* key, int value)
{
    store_->setValue(GroupKey(key), value);
}

QString CApp_Settings::ReadText(const char* key, const QString& defaultValue) const
{
    return store_->value(GroupKey(key), defaultValue).toString();
}

void CApp_Settings::WriteText(const char* key, const QString& value)
{
    store_->setValue(GroupKey(key), value);
}

void CApp_Settings::Sync()
{
    store_->sync();
}

}  // namespace skarnel
