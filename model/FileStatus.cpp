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

bool ReadFileSizeAndTime(const std::string& path, FileSizeAndTime& out)
{
    FILE* file = std::fopen(path.c_str(), "r");
    if (file == nullptr) {
        return false;
    }
    struct stat status {};
    if (fstat(fileno(file), &status) == 0) {
        out.size = ClampToInt32(status.st_size);
        out.mtime = ClampToInt32(status.st_mtime);
    }
    std::fclose(file);
    return true;
}

FileSizeAndTime GetFileSizeAndTime(const std::string& path)
{
    FileSizeAndTime result;
    ReadFileSizeAndTime(path, result);
    return result;
}
