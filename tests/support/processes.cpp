#include "tests/support/processes.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace skarnel::test {
namespace {

std::vector<char*> ArgvOf(const std::vector<std::string>& argv)
{
    std::vector<char*> pointers;
    for (const std::string& arg : argv)
        pointers.push_back(const_cast<char*>(arg.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

pid_t Spawn(const std::vector<std::string>& argv, int& outRead, int* errRead)
{
    int out[2], err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int devNull = ::open("/dev/null", O_RDONLY);
        ::dup2(devNull, STDIN_FILENO);
        ::dup2(out[1], STDOUT_FILENO);
        ::dup2(errRead ? err[1] : devNull, STDERR_FILENO);
        std::vector<char*> args = ArgvOf(argv);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    outRead = out[0];
    if (errRead)
        *errRead = err[0];
    else
        ::close(err[0]);
    return pid;
}

std::string ReadAll(int fd)
{
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR))
        if (n > 0)
            text.append(buffer, static_cast<size_t>(n));
    ::close(fd);
    return text;
}

int ExitStatus(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return 128 + WTERMSIG(status);
}

}  // namespace

std::string SimBinary()
{
    return SKARNEL_SIM_BINARY;
}

std::string CliBinary()
{
    return SKARNEL_CLI_BINARY;
}

SimProcess::SimProcess(const std::vector<std::string>& options)
{
    std::vector<std::string> argv{SimBinary()};
    argv.insert(argv.end(), options.begin(), options.end());
    pid_ = Spawn(argv, stdout_, nullptr);
    char c;
    pollfd entry{stdout_, POLLIN, 0};
    while (::poll(&entry, 1, 5000) > 0 && ::read(stdout_, &c, 1) == 1 && c != '\n')
        devicePath_ += c;
    if (devicePath_.empty())
        throw std::runtime_error("skarnel-sim did not print its device path");
}

SimProcess::~SimProcess()
{
    Stop();
}

int SimProcess::Stop(std::string* output)
{
    if (pid_ < 0)
        return -1;
    ::kill(pid_, SIGTERM);
    const std::string rest = ReadAll(stdout_);
    const int status = ExitStatus(pid_);
    pid_ = -1;
    if (output)
        *output = rest;
    return status;
}

CommandResult RunCommand(const std::vector<std::string>& argv)
{
    CommandResult result;
    int out = -1, err = -1;
    const pid_t pid = Spawn(argv, out, &err);
    // Drain stderr alongside stdout so that neither pipe can fill up and stall the child.
    std::string errText;
    pollfd entries[2] = {{out, POLLIN, 0}, {err, POLLIN, 0}};
    char buffer[4096];
    while (entries[0].fd >= 0 || entries[1].fd >= 0) {
        if (::poll(entries, 2, -1) < 0 && errno != EINTR)
            break;
        for (pollfd& entry : entries) {
            if (entry.fd < 0 || !(entry.revents & (POLLIN | POLLHUP)))
                continue;
            const ssize_t n = ::read(entry.fd, buffer, sizeof buffer);
            if (n <= 0) {
                ::close(entry.fd);
                entry.fd = -1;
                continue;
            }
            (&entry == &entries[0] ? result.out : errText).append(buffer, static_cast<size_t>(n));
        }
    }
    result.err = errText;
    result.exitCode = ExitStatus(pid);
    return result;
}

CommandResult RunCli(const std::vector<std::string>& arguments)
{
    std::vector<std::string> argv{CliBinary()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return RunCommand(argv);
}

std::vector<std::string> OutputLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

}  // namespace skarnel::test
