#pragma once

#include <QString>

#include <memory>

class QSettings;

namespace skarnel {

// The per-user settings: integers and texts in the group Vennacor_Config.
class CApp_Settings {
public:
    // The user's own store.
    CApp_Settings();
    // A store in the given file (tests, --settings).
    explicit CApp_Settings(const QString& iniFile);
    ~CApp_Settings();

    int ReadInt(const char* key, int defaultValue) const;
    void WriteInt(const char* key, int value);
    QString ReadText(const char* key, const QString& defaultValue = {}) const;
    void WriteText(const char* key, const QString& value);
    void Sync();

private:
    std::unique_ptr<QSettings> store_;
};

}  // namespace skarnel
