#include "AtomicFile.h"

#include "NumberText.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <limits>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct SplitPath {
    std::string folder; // with its trailing '/', or empty
    std::string name;
};

SplitPath Split(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return {std::string(), path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

// The prefix of every temporary file written for a target name.
std::string TemporaryPrefix(const std::string& name)
{
    return "." + name + ".tmp";
}

std::string TemporaryPathFor(const SplitPath& target, int attempt)
{
    static std::atomic<unsigned> counter {0};
    return target.folder + TemporaryPrefix(target.name) + std::to_string(::getpid()) + "-" +
        std::to_string(counter.fetch_add(1)) + "-" + std::to_string(attempt);
}

// A symbolic link is written through: the file replaced is the one it names.
std::string ResolveTarget(const std::string& path)
{
    struct stat link { };
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr)
        return path;
    return resolved;
}

// Removes temporary files of this target whose writer no longer runs (a
// killed save), so that they do not pile up beside the target.
void RemoveAbandonedTemporaries(const SplitPath& target)
{
    const std::string folder = target.folder.empty() ? std::string(".") : target.folder;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    const std::string prefix = TemporaryPrefix(target.name);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string_view rest = std::string_view(name).substr(prefix.size());
        const std::optional<NumberRead> number = ReadDecimal(rest);
        if (!number || number->clamped || number->length >= rest.size() ||
            rest[number->length] != '-' || number->value <= 0)
            continue;
        const pid_t pid = number->value;
        if (pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH)
            continue;
        ::unlink((target.folder + name).c_str());
    }
    ::closedir(dir);
}

bool WriteString(int fd, void* context)
{
    const auto* content = static_cast<const std::string_view*>(context);
    return WriteAllBytes(fd, content->data(), content->size());
}

} // namespace

bool WriteAllBytes(int fd, const char* data, size_t size)
{
    while (size > 0) {
        ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool WriteAllBytesAt(int fd, const char* data, size_t size, size_t offset)
{
    while (size > 0) {
        ssize_t written = ::pwrite(fd, data, size, static_cast<off_t>(offset));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
        offset += static_cast<size_t>(written);
    }
    return true;
}

void StartWriteBack(int fd, size_t offset, size_t size)
{
#ifdef SYNC_FILE_RANGE_WRITE
    ::sync_file_range(
        fd, static_cast<off_t>(offset), static_cast<off_t>(size), SYNC_FILE_RANGE_WRITE);
#else
    (void)fd;
    (void)offset;
    (void)size;
#endif
}

namespace {

// A descriptor on the regular file at `path` as it is now, or -1.
int OpenReplaced(const std::string& path)
{
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    struct stat status { };
    if (fd >= 0 && (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))) {
        ::close(fd);
        fd = -1;
    }
    return fd;
}

} // namespace

bool WriteFileAtomicallyWith(const std::string& path, bool (*write)(int fd, void* context),
    void* context, LinkRule links, int* replaced)
{
    if (replaced != nullptr)
        *replaced = -1;
    if (path.empty())
        return false;
    const bool replaceLink = links == LinkRule::Replace;
    const std::string target = replaceLink ? path : ResolveTarget(path);
    // Looks at the target itself when a link there is to be replaced.
    auto examine = [replaceLink](const std::string& file, struct stat& status) {
        return (replaceLink ? ::lstat(file.c_str(), &status) : ::stat(file.c_str(), &status)) == 0;
    };
    // Only a regular file (or a link to be replaced) is ever replaced: a
    // FIFO, a device or a folder (also one reached through a symbolic link)
    // is left alone.
    struct stat existing { };
    if (examine(target, existing) && !S_ISREG(existing.st_mode) &&
        !(replaceLink && S_ISLNK(existing.st_mode)))
        return false;
    const SplitPath parts = Split(target);
    RemoveAbandonedTemporaries(parts);

    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temporary = TemporaryPathFor(parts, attempt);
        // 0666 lets the user's umask decide, as for any newly created file.
        do {
            fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;

    bool ok = write(fd, context);
    if (ok && examine(target, existing) && S_ISREG(existing.st_mode))
        ok = ::fchmod(fd, existing.st_mode & 07777) == 0;
    if (ok) {
        int synced;
        do {
            synced = ::fsync(fd);
        } while (synced != 0 && errno == EINTR);
        ok = synced == 0;
    }
    if (::close(fd) != 0 && errno != EINTR)
        ok = false;
    // Opened before the rename, so that it is the file replaced.
    const int old = ok && replaced != nullptr ? OpenReplaced(target) : -1;
    if (ok)
        ok = ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok)
        ::unlink(temporary.c_str());
    if (ok && old >= 0)
        *replaced = old;
    else if (old >= 0)
        ::close(old);
    return ok;
}

size_t SetAsideRoom(int fd, size_t size)
{
#ifdef FALLOC_FL_KEEP_SIZE
    if (size > 0 && size <= static_cast<size_t>(std::numeric_limits<off_t>::max()) &&
        ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) == 0)
        return size;
#else
    (void)fd;
    (void)size;
#endif
    return 0;
}

bool GiveBackRoomPastEnd(int fd, size_t setAside)
{
    struct stat status { };
    if (::fstat(fd, &status) != 0)
        return false;
    if (static_cast<size_t>(status.st_size) >= setAside)
        return true;
    int truncated;
    do {
        truncated = ::ftruncate(fd, status.st_size);
    } while (truncated != 0 && errno == EINTR);
    return truncated == 0;
}

bool WriteFileAtomically(const std::string& path, std::string_view content)
{
    return WriteFileAtomicallyWith(path, &WriteString, &content);
}

bool IsRegularFile(const std::string& path)
{
    struct stat status { };
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

ReadResult ReadWholeFile(const std::string& path, std::string& content, size_t maxSize)
{
    content.clear();
    struct stat status { };
    if (::stat(path.c_str(), &status) != 0)
        return ReadResult::CannotOpen;
    if (!S_ISREG(status.st_mode))
        return ReadResult::ReadFailed;
    // Not blocking: should the path have become a FIFO since, opening it
    // must not wait for a writer.
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return ReadResult::CannotOpen;
    bool ok = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
        static_cast<unsigned long long>(status.st_size) <= maxSize;
    char buffer[65536];
    while (ok) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
        } else if (got == 0) {
            break;
        } else if (content.size() + static_cast<size_t>(got) > maxSize) {
            ok = false;
        } else {
            content.append(buffer, static_cast<size_t>(got));
        }
    }
    ::close(fd);
    if (!ok) {
        content.clear();
        return ReadResult::ReadFailed;
    }
    return ReadResult::Ok;
}
