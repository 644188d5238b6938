#include "LineReader.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t kPieceBytes = 65536;

const char* FindCrOrLf(const char* from, size_t size)
{
    for (const char* at = from; at != from + size; ++at)
        if (*at == '\n' || *at == '\r')
            return at;
    return nullptr;
}

} // namespace

LineReader::~LineReader()
{
    Close();
}

void LineReader::Close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    more_ = false;
}

ReadResult LineReader::Open(const std::string& path, size_t maxSize)
{
    Assign({});
    struct stat status { };
    if (::stat(path.c_str(), &status) != 0)
        return ReadResult::CannotOpen;
    if (!S_ISREG(status.st_mode))
        return ReadResult::ReadFailed;
    // Not blocking: should the path have become a FIFO since, opening it
    // must not wait for a writer.
    do {
        fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    } while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0)
        return ReadResult::CannotOpen;
    if (::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode) ||
        static_cast<unsigned long long>(status.st_size) > maxSize) {
        Close();
        return ReadResult::ReadFailed;
    }
    maxSize_ = maxSize;
    more_ = true;
    buffer_.reserve(kPieceBytes);
    return ReadResult::Ok;
}

void LineReader::Assign(std::string_view text)
{
    Close();
    buffer_.clear();
    data_ = text;
    fileBytes_ = 0;
    pos_ = 0;
    scanned_ = 0;
    skipLf_ = false;
    failed_ = false;
}

bool LineReader::Fill()
{
    if (!more_)
        return false;
    // What was handed out goes; an unfinished line moves to the front.
    buffer_.erase(0, pos_);
    pos_ = 0;
    const size_t kept = buffer_.size();
    buffer_.resize(kept + kPieceBytes);
    ssize_t got;
    do {
        got = ::read(fd_, buffer_.data() + kept, kPieceBytes);
    } while (got < 0 && errno == EINTR);
    buffer_.resize(kept + static_cast<size_t>(got > 0 ? got : 0));
    data_ = buffer_;
    fileBytes_ += static_cast<size_t>(got > 0 ? got : 0);
    if (got < 0 || fileBytes_ > maxSize_) {
        failed_ = true;
        Close();
        return false;
    }
    if (got == 0) {
        Close();
        return false;
    }
    return true;
}

bool LineReader::Next(std::string_view& line)
{
    if (skipLf_) {
        skipLf_ = false;
        if ((pos_ < data_.size() || Fill()) && data_[pos_] == '\n')
            ++pos_;
    }
    for (;;) {
        const char* from = data_.data() + pos_ + scanned_;
        const size_t size = data_.size() - pos_ - scanned_;
        const char* end = ends_ == LineEnds::Lf
            ? static_cast<const char*>(size == 0 ? nullptr : std::memchr(from, '\n', size))
            : FindCrOrLf(from, size);
        if (end != nullptr) {
            const size_t at = static_cast<size_t>(end - data_.data());
            line = data_.substr(pos_, at - pos_);
            pos_ = at + 1;
            scanned_ = 0;
            if (*end == '\r') {
                // CR LF is one line end, also when the LF comes in the next piece.
                if (pos_ < data_.size()) {
                    if (data_[pos_] == '\n')
                        ++pos_;
                } else {
                    skipLf_ = true;
                }
            } else if (ends_ == LineEnds::Lf && !line.empty() && line.back() == '\r') {
                line.remove_suffix(1);
            }
            return true;
        }
        scanned_ = data_.size() - pos_;
        if (Fill())
            continue;
        if (failed_ || pos_ == data_.size())
            return false;
        line = data_.substr(pos_);
        pos_ = data_.size();
        scanned_ = 0;
        if (ends_ == LineEnds::Lf && line.back() == '\r')
            line.remove_suffix(1);
        return true;
    }
}
