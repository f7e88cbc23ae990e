#pragma once

#include <csignal>
#include <sys/resource.h>

// Makes every file write of this process beyond `bytes` fail with EFBIG, as
// a full disk would, for as long as it lives. The limit binds even root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        // Crossing the limit otherwise ends the process with SIGXFSZ.
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit lowered = previous_;
        lowered.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool active() const { return active_; }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
    bool active_ = false;
};
