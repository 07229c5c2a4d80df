#pragma once

#include "cli/terminal_reporter.h"
#include "telemetry/log_rows.h"

#include <climits>
#include <cstdint>
#include <optional>
#include <string>

namespace skarnel::cli {

// "Tx Level" and "Rx Level" lines of the 75 channels' levels.
void PrintRfLevels(TerminalReporter& out, const DbmScan& scan);

// The viewer's lists on the terminal: each row as "<list> <row>  + <time> sec  <cells>", rows
// numbered per list from 1, and the end of the log last.
class TerminalLogRows final : public LogRows {
public:
    explicit TerminalLogRows(TerminalReporter& out) : out_(out) {}
    // Prints only the rows of one list (by its tab's order) and those timed from `from` to `to`
    // (hundredths of a second); the rows keep the numbers they have in the whole list.
    void ShowOnly(std::optional<int> list, int64_t from, int64_t to);

    void Begin(LogFormat format) override;
    void AddGeneral(int32_t time, const GeneralData& record) override;
    void AddElectric(int32_t time, const ElectricData& record) override;
    void AddGps(int32_t time, const GpsData& record) override;
    void AddVario(int32_t time, const VarioData& record) override;
    void AddReceiver(int32_t time, const ReceiverData& record) override;
    void AddRfLevels(int32_t time, const DbmScan& scan) override;
    void AddChannelLevel(int32_t time, int channel, int txLevel, int rxLevel) override;
    void AddChannels(int32_t time, const ChannelValues& values) override;
    void End(int32_t endTime) override;

private:
    enum List { kGeneral, kElectric, kGps, kVario, kReceiver, kRfLevel, kChannel, kListCount };
    void PrintRow(List list, int32_t time, const std::string& cells);

    TerminalReporter& out_;
    int rowCounts_[kListCount] = {};
    std::optional<int> onlyList_;
    int64_t from_ = INT64_MIN;
    int64_t to_ = INT64_MAX;
};

// Passes a loader's reports on to the terminal and keeps the text of its last message box,
// which becomes the command's final text.
class MessageCapture final : public Reporter {
public:
    explicit MessageCapture(TerminalReporter& out) : out_(out) {}

    void ReportProgress(int position, const std::string& status) override { out_.ReportProgress(position, status); }
    void ReportLogLine(const std::string& text) override { out_.ReportLogLine(text); }
    void ReportProgressRange(int maximum, int position) override { out_.ReportProgressRange(maximum, position); }
    void ReportFailedExchange(uint32_t value, int replyCode) override { out_.ReportFailedExchange(value, replyCode); }
    void ShowMessage(const std::string& text, const std::string&, MessageIcon) override { lastMessage_ = text; }
    bool AskYesNo(const std::string& text, const std::string& title, MessageIcon icon) override
    {
        return out_.AskYesNo(text, title, icon);
    }

    const std::string& LastMessage() const { return lastMessage_; }

private:
    TerminalReporter& out_;
    std::string lastMessage_;
};

}  // namespace skarnel::cli
