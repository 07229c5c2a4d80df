#pragma once

#include "shell/function_view.h"
#include "telemetry/log_replay.h"
#include "telemetry/log_tables.h"

#include <array>
#include <memory>
#include <string>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class QTabBar;
class QTableView;
class QTimer;

namespace skarnel {

class Clock;
class CLog_Load_Task;
class CLog_Plot_Widget;
class CLog_Table_Model;
class CReplay_Time_Display;

// "File Log View": loads a live log or a controller log and shows every recorded block as a
// row of one of seven tabbed lists. The rows stay in compact form; each list is a model over
// them whose cells are made when shown. Loading runs on a thread of its own and the rows
// arrive in batches, so the first rows show at once; closing the view or loading another file
// cancels a load that runs.
//
// The replay feeds the rows into the main frame's live telemetry in steps of 100 ms, paced by a
// timer of the user-interface thread on the connections' clock, so that the live views show the
// log as they show a recording; the track bar, a "go to" time and the speed choose where and how
// fast it runs.
class CLog_Sensor_View final : public CFunction_View {
    Q_OBJECT
public:
    explicit CLog_Sensor_View(CMainFrame& mainFrame);
    ~CLog_Sensor_View() override;

    // Asks for a log file and loads it; a cancelled choice empties the path.
    void Browse();
    // Loads the file named in the path field; nothing for an empty path.
    void LoadNamedFile();
    void ShowTab(int tab);
    // The exports, also on every list's context menu: the visible list or every list to CSV,
    // the GPS rows to GPX or KML. A file or folder is asked for; a failure is shown.
    void ExportVisibleList();
    void ExportAllLists();
    void ExportGpsPath(bool kml);
    void OnLanguageChanged(int language) override;

    // The replay buttons: Start (refused while a live recording runs), Stop, and Pause, which
    // toggles to "Resume".
    void StartReplay();
    void StopReplay();
    void PauseReplay();
    // The track bar let go: the replay goes on from its second.
    void MoveReplay(int seconds);
    // The "go to" time in seconds (decimals allowed); other text is left alone.
    void GoToTime();
    void ChooseSpeed(int index);
    // One step of the replay timer.
    void ReplayTick();

    const LogTables& Tables() const { return tables_; }
    bool IsLoading() const;
    // The log's end in hundredths of a second, once a load has finished; 0 before.
    int64_t EndTime() const { return endTime_; }

    QLineEdit* PathEdit() const { return pathEdit_; }
    QPushButton* BrowseButton() const { return browse_; }
    QPushButton* LoadButton() const { return load_; }
    QProgressBar* ProgressBar() const { return progress_; }
    QLabel* CountText() const { return countText_; }
    QTabBar* Tabs() const { return tabs_; }
    QTableView* List(LogList list) const { return lists_[static_cast<size_t>(list)]; }
    CLog_Table_Model* Model(LogList list) const { return models_[static_cast<size_t>(list)]; }
    QPushButton* ReplayStartButton() const { return replayStart_; }
    QPushButton* ReplayPauseButton() const { return replayPause_; }
    QPushButton* ReplayStopButton() const { return replayStop_; }
    QSlider* TrackBar() const { return trackBar_; }
    QLabel* TrackLabel() const { return trackLabel_; }
    CReplay_Time_Display* TimeDisplay() const { return timeDisplay_; }
    CLog_Plot_Widget* Plot() const { return plot_; }
    QComboBox* SpeedCombo() const { return speedCombo_; }
    QLineEdit* GoToEdit() const { return goToEdit_; }
    QTimer* ReplayTimer() const { return replayTimer_; }
    const LogReplay& Replay() const { return replay_; }

signals:
    // The replay reached a position (hundredths of a second): at each step and at every move.
    void ReplayPositionChanged(qint64 hundredths);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateControls();
    void CreateLists();
    void ConnectSignals();
    void Load(const std::string& path);
    void TakeBatch(LogBatch&& batch);
    void ShowProgress(int position, const QString& status);
    void PlaceCountText();
    // The replay is set up for the end of the loaded log.
    void SetUpReplay(int32_t endTime);
    // The user chose a position (hundredths of a second; the log's end at most).
    void MoveReplayTo(int64_t position);
    // A user's move of the track bar other than a drag in progress moves the replay.
    void TakeTrackAction(int action);
    void ShowTrackPosition(int seconds);
    void OpenReplayViews();
    void PrepareLiveTelemetry();
    void ShowReplayStep(const ReplayStep& step);
    void ShowReplayPosition(int64_t position);
    void SetReplayButtons(bool replaying);
    void PlaceReplayChoices();
    void ApplyTabTexts();
    void AddExportActions(QTableView* list);
    void ShowExportResult(bool exported, const std::string& error);
    // The "Plot" tab after the seven lists: their numeric columns against time.
    void AddPlotTab();

    LogTables tables_;
    int64_t endTime_ = 0;
    LogReplay replay_{tables_};
    Clock& clock_;

    QGroupBox* loadGroup_;
    QLineEdit* pathEdit_;
    QPushButton* browse_;
    QPushButton* load_;
    QProgressBar* progress_;
    QLabel* countText_;
    QGroupBox* replayGroup_;
    CReplay_Time_Display* timeDisplay_;
    QPushButton* replayStart_;
    QPushButton* replayPause_;
    QPushButton* replayStop_;
    QSlider* trackBar_;
    QLabel* trackLabel_;
    QComboBox* speedCombo_;
    QLineEdit* goToEdit_;
    QTimer* replayTimer_;
    QTabBar* tabs_;
    std::array<QTableView*, kLogListCount> lists_{};
    std::array<CLog_Table_Model*, kLogListCount> models_{};
    CLog_Load_Task* loadTask_ = nullptr;
    CLog_Plot_Widget* plot_ = nullptr;
};

}  // namespace skarnel
