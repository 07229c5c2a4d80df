#pragma once

#include "shell/app_settings.h"
#include "shell/file_dialogs.h"
#include "shell/main_frame.h"
#include "shell/message_boxes.h"
#include "shell/work_view.h"
#include "tests/support/sysfs_fixture.h"

#include <QString>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// Qt is not built with ThreadSanitizer, and the threads Qt starts itself (its thread pool for
// large pictures, the file dialog's gatherer) hand memory over through futexes the sanitizer
// cannot follow. A test that makes Qt start one is skipped under it.
#if defined(__SANITIZE_THREAD__)
#define SKIP_WHERE_QT_STARTS_THREADS() GTEST_SKIP() << "Qt starts threads here that ThreadSanitizer cannot follow"
#else
#define SKIP_WHERE_QT_STARTS_THREADS() static_cast<void>(0)
#endif

#include <ostream>

// Lets test failures show texts instead of their bytes.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

class QTableView;

namespace skarnel::test {

// Records every message box and question instead of showing it; questions get the scripted
// answer. Installed for its lifetime.
class RecordingMessageBoxes final : public MessageBoxes {
public:
    struct Box {
        QString text;
        QString title;
        MessageIcon icon;
        bool onUiThread;
        const QWidget* parent;
    };

    RecordingMessageBoxes();
    ~RecordingMessageBoxes() override;

    void Show(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) override;
    bool Ask(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) override;

    void AnswerWith(bool yes) { answer_ = yes; }
    std::vector<Box> Boxes() const;
    std::vector<QString> Texts() const;

private:
    void Add(const QWidget* parent, const QString& text, const QString& title, MessageIcon icon);

    mutable std::mutex mutex_;
    std::vector<Box> boxes_;
    bool answer_ = true;
};

// Answers every file and folder chooser with the scripted answer of its kind and records the
// filters asked for. Installed for its lifetime.
class ScriptedFileDialogs final : public FileDialogs {
public:
    ScriptedFileDialogs() { Install(this); }
    ~ScriptedFileDialogs() override { Install(nullptr); }

    QString OpenFile(QWidget*, const QString& filter, const QString&) override { return Record(filter, answer); }
    QString SaveFile(QWidget*, const QString& filter, const QString&) override { return Record(filter, answer); }
    QString ChooseFolder(QWidget*, const QString&) override
    {
        ++folderQuestions;
        return folder;
    }
    QString ChooseOpenFile(QWidget*, const QString&, const QString& filter) override { return Record(filter, answer); }
    QStringList ChooseOpenFiles(QWidget*, const QString&, const QString& filter) override
    {
        filters.push_back(filter);
        return answers;
    }

    QString answer;
    QStringList answers;
    QString folder;
    int folderQuestions = 0;
    std::vector<QString> filters;

private:
    QString Record(const QString& filter, const QString& given)
    {
        filters.push_back(filter);
        return given;
    }
};

// Shows a window without putting it on the screen: Qt then draws no window surface, whose
// pictures it would convert on its thread pool.
void ShowOffScreen(QWidget& window);

// The texts of a work view's log list, top to bottom.
std::vector<std::string> LogTexts(const CWork_View& view);
// The cells and headers of a list that its columns cut (the last column, which stretches, and
// hidden ones aside), and the list's own faults of shape: wrapped or multi-line rows, no
// stretched last column. Empty for a list that fits its contents.
std::vector<std::string> ListShapeFaults(const QTableView& list);

// Runs the event loop until the condition holds or the time is up; whether it holds.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);
// Runs the event loop until the view's job has ended (its JobEnded), at most a minute; whether
// it ended. Returns at once when no job runs.
bool RunUntilJobEnds(CFunction_View& view);

// A main frame on a settings file and a sysfs of its own, without the splash. The settings
// and the serial ports present can be prepared before the frame starts.
struct FrameFixture {
    explicit FrameFixture(MainFrameOptions options = {}, const std::function<void(CApp_Settings&)>& presets = {},
                          const std::function<void(SysfsFixture&)>& ports = {});
    ~FrameFixture();

    TempFolder folder;
    SysfsFixture sysfs;
    std::unique_ptr<CApp_Settings> settings;
    std::unique_ptr<CMainFrame> frame;
    QString SettingsFile() const;
};

// Options with the frame's test sysfs and no splash; the caller adds what it needs.
MainFrameOptions TestFrameOptions();

}  // namespace skarnel::test
