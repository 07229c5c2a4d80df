#pragma once

#include <QWidget>

#include <cstdint>

namespace skarnel {

// The file log viewer's replay time: the current position and the end of the log, in
// hundredths of a second, drawn by the gauges' replay clock.
class CReplay_Time_Display final : public QWidget {
    Q_OBJECT
public:
    explicit CReplay_Time_Display(QWidget* parent = nullptr);

    void SetTimes(int64_t current, int64_t end);
    int64_t Current() const { return current_; }
    int64_t End() const { return end_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int64_t current_ = 0;
    int64_t end_ = 0;
};

}  // namespace skarnel
