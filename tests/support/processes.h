#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace skarnel::test {

// skarnel-sim running as its own process on a PTY; stopped with SIGTERM when destroyed.
class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& options = {});
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    const std::string& DevicePath() const { return devicePath_; }
    // Stops the simulator and gives its exit status and what it printed after the path.
    int Stop(std::string* output = nullptr);

private:
    pid_t pid_ = -1;
    int stdout_ = -1;
    std::string devicePath_;
};

struct CommandResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs a program to its end with empty standard input.
CommandResult RunCommand(const std::vector<std::string>& argv);
// skarnel-cli with the given arguments.
CommandResult RunCli(const std::vector<std::string>& arguments);

// The lines of a program's output, without their line ends.
std::vector<std::string> OutputLines(const std::string& text);

std::string SimBinary();
std::string CliBinary();

}  // namespace skarnel::test
