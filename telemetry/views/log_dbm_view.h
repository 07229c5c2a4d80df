#pragma once

#include "shell/function_view.h"
#include "telemetry/rf_samples.h"

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QTimer;
class QWidget;

namespace skarnel {

class CRf_Sample_Model;

// "RF DBM - File": the channel levels of a controller log, listed sample by sample, drawn as
// an overview of the whole file, and played back onto the transmitter and receiver charts at
// the chosen pace (a sample every half of the pace's milliseconds). Every kind-3 sample of the
// file is kept.
class CLog_DBM_View final : public CFunction_View {
    Q_OBJECT
public:
    explicit CLog_DBM_View(CMainFrame& mainFrame);
    ~CLog_DBM_View() override;

    void Browse();
    void Load();
    void Play();
    void StopPlaying();
    void ClearLevels();
    // One step of the playback timer.
    void Tick();
    // A click at x (in the overview's own pixels).
    void PickAt(int x);

    const std::vector<RfSample>& Samples() const { return samples_; }
    const RfLevelArrays& Levels() const { return levels_; }
    int Cursor() const { return cursor_; }

    QLineEdit* PathEdit() const { return pathEdit_; }
    QPushButton* BrowseButton() const { return browse_; }
    QPushButton* LoadButton() const { return load_; }
    QProgressBar* ProgressBar() const { return progress_; }
    QLabel* CountText() const { return countText_; }
    QComboBox* PaceBox() const { return pace_; }
    QPushButton* PlayButton() const { return play_; }
    QPushButton* StopButton() const { return stop_; }
    QPushButton* ClearButton() const { return clear_; }
    QWidget* Overview() const { return overview_; }
    QWidget* TxChart() const { return txChart_; }
    QWidget* RxChart() const { return rxChart_; }
    QTableView* List() const { return list_; }
    QTimer* PlaybackTimer() const { return timer_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class LoadReporter;

    void CreateControls();
    void ShowCursor();
    void Redraw();

    std::vector<RfSample> samples_;
    std::vector<uint8_t> txLevels_;
    std::vector<uint8_t> rxLevels_;
    RfLevelArrays levels_;
    int cursor_ = 0;

    QLineEdit* pathEdit_;
    QPushButton* browse_;
    QPushButton* load_;
    QProgressBar* progress_;
    QLabel* countText_;
    QComboBox* pace_;
    QPushButton* play_;
    QPushButton* stop_;
    QPushButton* clear_;
    QWidget* overview_;
    QWidget* txChart_;
    QWidget* rxChart_;
    QTableView* list_;
    CRf_Sample_Model* model_;
    QTimer* timer_;
};

}  // namespace skarnel
