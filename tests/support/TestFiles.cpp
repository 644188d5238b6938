#include "TestFiles.h"

#include <csignal>
#include <sys/resource.h>

FileSizeLimit::FileSizeLimit(unsigned long bytes)
{
    rlimit limit {};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    oldSoft_ = limit.rlim_cur;
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit {};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = oldSoft_;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, oldHandler_);
}
