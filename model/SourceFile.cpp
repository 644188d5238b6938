#include "SourceFile.h"

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

bool CSourceFile::RefreshFileInfo()
{
    FILE* file = std::fopen(path.c_str(), "r");
    if (file == nullptr) {
        return false;
    }
    struct stat status {};
    if (fstat(fileno(file), &status) == 0) {
        size = ClampToInt32(status.st_size);
        mtime = ClampToInt32(status.st_mtime);
    }
    std::fclose(file);
    return true;
}

bool CSourceFile::Load(const CTokenScanner& scanner)
{
    if (!RefreshFileInfo()) {
        WriteFileOpenFailure(path);
        return false;
    }
    scan.Tokenize(path.c_str(), scanner);
    return true;
}
