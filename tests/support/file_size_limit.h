#pragma once

#include <sys/resource.h>

#include <csignal>
#include <cstddef>

namespace skarnel::test {

// While it lives, no file of the process may grow past `bytes`: a write beyond fails with
// EFBIG, as a disk that fills up half-way through a file makes it fail.
class FileSizeLimit {
public:
    explicit FileSizeLimit(size_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &previous_);
        previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousSignal_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousSignal_)(int) = SIG_DFL;
};

// Runs a writer under the limit. Nothing else is written meanwhile, not even a test's failure
// report, which may go to a log file already longer than the limit.
template <typename Writer> auto UnderFileSizeLimit(size_t bytes, Writer&& writer)
{
    const FileSizeLimit limit(bytes);
    return writer();
}

}  // namespace skarnel::test
