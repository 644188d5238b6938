#include "SourceTokens.h"

#include "ByteDigest.h"
#include "LanguageTable.h"
#include "TokenType.h"

#include <algorithm>
#include <cerrno>
#include <memory>
#include <istream>
#include <streambuf>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsReadableSize(const struct stat& status)
{
    return S_ISREG(status.st_mode) &&
        static_cast<unsigned long long>(status.st_size) <= kMaxSourceBytes;
}

// Reads a regular file of at most kMaxSourceBytes as a stream. Anything else
// (a FIFO, a device, a folder, also through a symbolic link) is not opened;
// should the path become one after that check, the open does not block and
// the check made on the open file refuses it.
class RegularFileInput : public std::streambuf {
public:
    explicit RegularFileInput(const char* path)
    {
        struct stat status { };
        if (::stat(path, &status) != 0 || !IsReadableSize(status)) {
            return;
        }
        do {
            fd_ = ::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        } while (fd_ < 0 && errno == EINTR);
        if (fd_ >= 0 && (::fstat(fd_, &status) != 0 || !IsReadableSize(status))) {
            ::close(fd_);
            fd_ = -1;
        }
        size_ = fd_ >= 0 ? status.st_size : 0;
        // Small files (most headers) need no big buffer.
        capacity_ = static_cast<size_t>(std::clamp<off_t>(size_ + 1, 1, 65536));
        buffer_ = std::make_unique_for_overwrite<char[]>(capacity_);
    }
    ~RegularFileInput() override
    {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    RegularFileInput(const RegularFileInput&) = delete;
    RegularFileInput& operator=(const RegularFileInput&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    off_t Size() const { return size_; }
    // The digest of the bytes read, once every byte the file had when it
    // was opened was read and the end was met.
    std::optional<uint64_t> DigestOfWhole() const
    {
        if (!ended_ || read_ != static_cast<unsigned long long>(size_)) {
            return std::nullopt;
        }
        return digest_.Value();
    }

protected:
    int_type underflow() override
    {
        const ssize_t got = ReadInto(buffer_.get(), capacity_);
        if (got <= 0) {
            return traits_type::eof();
        }
        setg(buffer_.get(), buffer_.get(), buffer_.get() + got);
        return traits_type::to_int_type(buffer_[0]);
    }

    // The scanner asks for whole blocks: they are read straight into its
    // buffer, not copied through ours.
    std::streamsize xsgetn(char* out, std::streamsize count) override
    {
        std::streamsize done = std::min<std::streamsize>(count, egptr() - gptr());
        std::copy(gptr(), gptr() + done, out);
        gbump(static_cast<int>(done));
        while (done < count) {
            const ssize_t got = ReadInto(out + done, static_cast<size_t>(count - done));
            if (got <= 0) {
                break;
            }
            done += got;
        }
        return done;
    }

private:
    ssize_t ReadInto(char* out, size_t count)
    {
        if (fd_ < 0 || read_ >= static_cast<unsigned long long>(kMaxSourceBytes)) {
            return 0;
        }
        ssize_t got;
        do {
            got = ::read(fd_, out, count);
        } while (got < 0 && errno == EINTR);
        if (got > 0) {
            read_ += static_cast<unsigned long long>(got);
            digest_.Add(out, static_cast<size_t>(got));
        } else if (got == 0) {
            ended_ = true;
        }
        return got;
    }

    int fd_ = -1;
    off_t size_ = 0;
    unsigned long long read_ = 0;
    bool ended_ = false;
    ByteDigest digest_;
    size_t capacity_ = 1;
    std::unique_ptr<char[]> buffer_;
};

// The lines a scan writes, each told apart by the file it is about.
class FileMessages : public MessageSink {
public:
    FileMessages(const std::string& path, MessageSink& messages)
        : prefix_(std::string(GetLangString(3)) + ": " + path + " : "), messages_(messages)
    {
    }
    void Write(MessageKind kind, std::string_view line) override
    {
        messages_.Write(kind, prefix_ + std::string(line));
    }

private:
    std::string prefix_;
    MessageSink& messages_;
};

} // namespace

void WriteFileOpenFailure(const std::string& path, MessageSink& messages)
{
    MessageLine(messages, MessageKind::Error)
        << GetLangString(3) << ": " << path << " : " << GetLangString(303);
}

void JoinContinuedLines(std::vector<PPToken>& tokens, size_t from)
{
    size_t write = from;
    int32_t previous = -1;
    for (size_t read = from; read < tokens.size(); ++read) {
        const int32_t type = tokens[read].type;
        if (previous == SLASH && type == ENDLINE) {
            --write; // the backslash just kept
        } else {
            if (write != read) {
                tokens[write] = std::move(tokens[read]);
            }
            ++write;
        }
        previous = type;
    }
    tokens.resize(write);
}

bool WriteSourceReadFailure(const std::string& path, MessageSink& messages)
{
    struct stat status { };
    if (::stat(path.c_str(), &status) != 0) {
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        MessageLine(messages, MessageKind::Error)
            << path << " is not a regular file (a FIFO, a device or a folder): it is not read";
        return true;
    }
    if (static_cast<unsigned long long>(status.st_size) > kMaxSourceBytes) {
        MessageLine(messages, MessageKind::Error)
            << path << " is larger than " << (kMaxSourceBytes >> 20) << " MB: it is not read";
        return true;
    }
    return false;
}

bool CSourceTokens::Tokenize(const char* path, const CTokenScanner& scanner, MessageSink& messages)
{
    fileName = path;
    RegularFileInput input(path);
    if (!input.IsOpen()) {
        if (!WriteSourceReadFailure(path, messages)) {
            WriteFileOpenFailure(path, messages);
        }
        return false;
    }
    // About one token per four bytes in real code: one allocation up front
    // instead of a run of doublings on big files.
    tokens.reserve(tokens.size() + static_cast<size_t>(input.Size()) / 4 + 16);
    const size_t from = tokens.size();
    std::istream in(&input);
    FileMessages fileMessages(fileName, messages);
    scanner.Scan(in, tokens, fileMessages);
    JoinContinuedLines(tokens, from);
    bytesDigest = input.DigestOfWhole();
    return true;
}
