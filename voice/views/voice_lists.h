#pragma once

#include "voice/flash_usage.h"
#include "voice/voice_file_info.h"

#include <QString>

#include <initializer_list>
#include <utility>

class QLabel;
class QProgressBar;
class QTableWidget;
class QWidget;

namespace skarnel {

class CWork_View;

// The lists and usage displays the Sound Data and Voice Data views share.

// A report list with grid lines and full-row single selection, columns by name and width.
QTableWidget* CreateVoiceList(QWidget* parent, std::initializer_list<std::pair<const char*, int>> columns);
QTableWidget* CreateControllerVoiceList(QWidget* parent);

// The controller list's columns.
enum ControllerVoiceColumn : int {
    kCtlNo = 0,
    kCtlName,
    kCtlSize,
    kCtlTime,
    kCtlAddress,
    kCtlIndex,
    kCtlStatus,
    kCtlSampleRate,
};

// Appends a row of texts after its number and selects it; the stream size is the row's data.
void AppendVoiceRow(QTableWidget* list, const QStringList& texts, uint32_t streamSize);
// A stored sound as the controller list shows it, under the name given.
void AppendControllerRow(QTableWidget* list, const VoiceFileInfo& record, const QString& name);
void AppendControllerRow(QTableWidget* list, const VoiceFileInfo& record);
void SetCellText(QTableWidget* list, int row, int column, const QString& text);
// The sum of the rows' stream sizes.
uint64_t ListStreamSum(const QTableWidget* list);

// A bar of 0..100 and its two texts.
struct UsageDisplay {
    QProgressBar* bar;
    QLabel* sizeText;
    QLabel* percentText;

    static UsageDisplay Create(QWidget* parent);
    void Show(const FlashUsage& usage) const;
};

// The controller's "Play" of the selected row, on the user-interface thread with the port
// open only for it; nothing while a job runs or with an empty list.
void PlaySelectedOnController(CWork_View& view, QTableWidget* controllerList);

}  // namespace skarnel
