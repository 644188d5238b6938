#include "AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string TemporaryPathFor(const std::string& path, int attempt)
{
    static std::atomic<unsigned> counter{0};
    size_t slash = path.find_last_of('/');
    std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return folder + "." + name + ".tmp" + std::to_string(::getpid()) + "-"
        + std::to_string(counter.fetch_add(1)) + "-" + std::to_string(attempt);
}

bool WriteAll(int fd, std::string_view content)
{
    const char* data = content.data();
    size_t left = content.size();
    while (left > 0) {
        ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    return true;
}

} // namespace

bool WriteFileAtomically(const std::string& path, std::string_view content)
{
    if (path.empty())
        return false;

    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temporary = TemporaryPathFor(path, attempt);
        // 0666 lets the user's umask decide, as for any newly created file.
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;

    bool ok = WriteAll(fd, content);
    struct stat existing {};
    if (ok && ::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        ok = ::fchmod(fd, existing.st_mode & 07777) == 0;
    if (ok)
        ok = ::fsync(fd) == 0;
    if (::close(fd) != 0)
        ok = false;
    if (ok)
        ok = ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok)
        ::unlink(temporary.c_str());
    return ok;
}

ReadResult ReadWholeFile(const std::string& path, std::string& content, size_t maxSize)
{
    content.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return ReadResult::CannotOpen;
    char buffer[65536];
    bool ok = true;
    for (;;) {
        size_t got = std::fread(buffer, 1, sizeof buffer, file);
        if (content.size() + got > maxSize) {
            ok = false;
            break;
        }
        content.append(buffer, got);
        if (got < sizeof buffer) {
            ok = std::ferror(file) == 0;
            break;
        }
    }
    std::fclose(file);
    if (!ok) {
        content.clear();
        return ReadResult::ReadFailed;
    }
    return ReadResult::Ok;
}
