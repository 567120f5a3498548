#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include <unistd.h>

// Set only in a sanitized build: where the sanitizers write their reports.
extern "C" void __sanitizer_set_report_fd(void *fd) __attribute__((weak));

namespace test_support {

// Catches what the program writes to standard error (the procedure runner's
// reports of run-time errors among it) so that a test can read it, and passes
// every byte on to the real standard error so that nothing is hidden from the
// test log. Sanitizer reports bypass the capture and go straight to the real
// standard error: a sanitizer that stops the program must not lose its report
// in a file that nobody reads.
class StderrCapture {
public:
    StderrCapture()
    {
        std::fflush(stderr);
        saved_ = ::dup(STDERR_FILENO);
        file_ = std::tmpfile();
        if (saved_ < 0 || !file_)
            return;
        ::dup2(::fileno(file_), STDERR_FILENO);
        if (__sanitizer_set_report_fd)
            __sanitizer_set_report_fd(reinterpret_cast<void *>(static_cast<std::intptr_t>(saved_)));
    }

    ~StderrCapture()
    {
        take();
        if (saved_ >= 0) {
            ::dup2(saved_, STDERR_FILENO);
            if (__sanitizer_set_report_fd)
                __sanitizer_set_report_fd(reinterpret_cast<void *>(static_cast<std::intptr_t>(STDERR_FILENO)));
            ::close(saved_);
        }
        if (file_)
            std::fclose(file_);
    }

    StderrCapture(const StderrCapture &) = delete;
    StderrCapture &operator=(const StderrCapture &) = delete;

    bool active() const { return saved_ >= 0 && file_; }

    // What was written since the last call.
    std::string take()
    {
        std::string text;
        if (!active())
            return text;
        std::fflush(stderr);
        char buffer[4096];
        for (;;) {
            const ssize_t n = ::pread(::fileno(file_), buffer, sizeof buffer, offset_);
            if (n <= 0)
                break;
            offset_ += n;
            text.append(buffer, static_cast<std::size_t>(n));
            for (ssize_t done = 0; done < n;) {
                const ssize_t w = ::write(saved_, buffer + done, static_cast<std::size_t>(n - done));
                if (w <= 0)
                    break;
                done += w;
            }
        }
        return text;
    }

private:
    int saved_ = -1;
    std::FILE *file_ = nullptr;
    off_t offset_ = 0;
};

} // namespace test_support
