#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <filesystem>
#include <string>

// Keeps a file from being deleted while the object lives, as a folder the
// user may not write does: its folder is made read-only and, for a user whom
// that does not stop (root), the file is marked immutable. Works() is false
// where neither holds; a test then skips.
class UndeletableFile {
public:
    explicit UndeletableFile(const std::string& path)
        : path_(path), folder_(std::filesystem::path(path).parent_path())
    {
        std::filesystem::permissions(folder_, kWrite, std::filesystem::perm_options::remove);
        if (::geteuid() == 0)
            immutable_ = SetImmutable(true);
    }
    ~UndeletableFile()
    {
        if (immutable_)
            SetImmutable(false);
        std::error_code ignored;
        std::filesystem::permissions(folder_, kWrite, std::filesystem::perm_options::add, ignored);
    }
    UndeletableFile(const UndeletableFile&) = delete;
    UndeletableFile& operator=(const UndeletableFile&) = delete;

    bool Works() const { return ::geteuid() != 0 || immutable_; }

private:
    static constexpr auto kWrite = std::filesystem::perms::owner_write |
        std::filesystem::perms::group_write | std::filesystem::perms::others_write;

    bool SetImmutable(bool on) const
    {
        const int file = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK);
        if (file < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(file, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            done = ::ioctl(file, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(file);
        return done;
    }

    std::string path_;
    std::filesystem::path folder_;
    bool immutable_ = false;
};
