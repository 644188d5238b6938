#include "FileStatus.h"

#include <cstdio>
#include <limits>
#include <sys/stat.h>

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

FileSizeAndTime GetFileSizeAndTime(const std::string& path)
{
    FileSizeAndTime result;
    FILE* file = std::fopen(path.c_str(), "r");
    if (file == nullptr) {
        return result;
    }
    struct stat status {};
    if (fstat(fileno(file), &status) == 0) {
        result.size = ClampToInt32(status.st_size);
        result.mtime = ClampToInt32(status.st_mtime);
    }
    std::fclose(file);
    return result;
}
