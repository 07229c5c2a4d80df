#pragma once

#include "shell/function_view.h"
#include "telemetry/telemetry_records.h"
#include "telemetry/views/gauge_picture.h"

#include <array>
#include <cstdint>

namespace skarnel {

// "RF RXSQ": the transmitter's RF levels of the 75 channels above the receiver's, the current
// levels as bars and the highest since the start as dots, copied from the main frame's live
// telemetry at each of the view's notifications.
class CLive_Log_DBM_View final : public CFunction_View {
    Q_OBJECT
public:
    using Levels = std::array<uint8_t, kRfChannelCount>;

    explicit CLive_Log_DBM_View(CMainFrame& mainFrame);

    CGauge_Picture* TxChart() const { return txChart_; }
    CGauge_Picture* RxChart() const { return rxChart_; }
    const Levels& TxLevels() const { return txLevel_; }
    const Levels& RxMax() const { return rxMax_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnNewData(int view);

    Levels txLevel_{};
    Levels rxLevel_{};
    Levels txMax_{};
    Levels rxMax_{};
    CGauge_Picture* txChart_;
    CGauge_Picture* rxChart_;
};

}  // namespace skarnel
