#pragma once

#include <sys/resource.h>

// Files of this process cannot grow beyond the given size while it lives:
// writes fail as on a full disk, for root as well, whom folder permissions
// would not stop. The test programs' main sets the process up as the
// program does, so such a write raises no signal that ends the test.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
};
