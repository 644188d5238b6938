#include "FileStatus.h"

#include <cerrno>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int32_t ClampToInt32(long long value)
{
    if (value > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    if (value < std::numeric_limits<int32_t>::min()) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(value);
}

} // namespace

bool ReadFileSizeAndTime(const std::string& path, FileSizeAndTime& out)
{
    // Only a regular file (also through a symbolic link) counts: a FIFO
    // would block the open, a device may have no end.
    struct stat status { };
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return false;
    }
    // Not blocking, should the path have become a FIFO since.
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        return false;
    }
    const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    ::close(fd);
    if (!regular) {
        return false;
    }
    out.size = ClampToInt32(status.st_size);
    out.mtime = ClampToInt32(status.st_mtime);
    return true;
}

FileSizeAndTime GetFileSizeAndTime(const std::string& path)
{
    FileSizeAndTime result;
    ReadFileSizeAndTime(path, result);
    return result;
}
