#include "ByteDigest.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uint64_t kPrime1 = 0x9E3779B185EBCA87ULL;
constexpr uint64_t kPrime2 = 0xC2B2AE3D27D4EB4FULL;
constexpr uint64_t kPrime3 = 0x165667B19E3779F9ULL;
constexpr uint64_t kPrime4 = 0x85EBCA77C2B2AE63ULL;
constexpr uint64_t kPrime5 = 0x27D4EB2F165667C5ULL;

uint64_t RotateLeft(uint64_t value, int bits)
{
    return (value << bits) | (value >> (64 - bits));
}

// Little-endian, whatever the machine's order.
uint64_t Load64(const unsigned char* at)
{
    uint64_t value;
    std::memcpy(&value, at, sizeof value);
    if constexpr (std::endian::native == std::endian::big)
        value = __builtin_bswap64(value);
    return value;
}

uint32_t Load32(const unsigned char* at)
{
    return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
        static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
}

uint64_t Round(uint64_t lane, uint64_t input)
{
    return RotateLeft(lane + input * kPrime2, 31) * kPrime1;
}

uint64_t Merge(uint64_t digest, uint64_t lane)
{
    return (digest ^ Round(0, lane)) * kPrime1 + kPrime4;
}

} // namespace

void ByteDigest::Stripe(const unsigned char* bytes)
{
    if (!started_) {
        lanes_[0] = kPrime1 + kPrime2;
        lanes_[1] = kPrime2;
        lanes_[2] = 0;
        lanes_[3] = 0 - kPrime1;
        started_ = true;
    }
    for (int i = 0; i < 4; ++i)
        lanes_[i] = Round(lanes_[i], Load64(bytes + 8 * i));
}

void ByteDigest::Add(const char* data, size_t size)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    total_ += size;
    if (pendingSize_ > 0) {
        const size_t taken = std::min(size, sizeof pending_ - pendingSize_);
        std::memcpy(pending_ + pendingSize_, bytes, taken);
        pendingSize_ += taken;
        bytes += taken;
        size -= taken;
        if (pendingSize_ < sizeof pending_)
            return;
        Stripe(pending_);
        pendingSize_ = 0;
    }
    if (size >= sizeof pending_) {
        // The lanes stay in registers over a long run of stripes.
        Stripe(bytes);
        bytes += sizeof pending_;
        size -= sizeof pending_;
        uint64_t lane0 = lanes_[0];
        uint64_t lane1 = lanes_[1];
        uint64_t lane2 = lanes_[2];
        uint64_t lane3 = lanes_[3];
        for (; size >= sizeof pending_; bytes += sizeof pending_, size -= sizeof pending_) {
            lane0 = Round(lane0, Load64(bytes));
            lane1 = Round(lane1, Load64(bytes + 8));
            lane2 = Round(lane2, Load64(bytes + 16));
            lane3 = Round(lane3, Load64(bytes + 24));
        }
        lanes_[0] = lane0;
        lanes_[1] = lane1;
        lanes_[2] = lane2;
        lanes_[3] = lane3;
    }
    std::memcpy(pending_, bytes, size);
    pendingSize_ = size;
}

uint64_t ByteDigest::Value() const
{
    uint64_t digest = kPrime5;
    if (started_) {
        digest = RotateLeft(lanes_[0], 1) + RotateLeft(lanes_[1], 7) + RotateLeft(lanes_[2], 12) +
            RotateLeft(lanes_[3], 18);
        for (uint64_t lane : lanes_)
            digest = Merge(digest, lane);
    }
    digest += total_;
    const unsigned char* at = pending_;
    size_t left = pendingSize_;
    for (; left >= 8; at += 8, left -= 8)
        digest = RotateLeft(digest ^ Round(0, Load64(at)), 27) * kPrime1 + kPrime4;
    if (left >= 4) {
        digest = RotateLeft(digest ^ (Load32(at) * kPrime1), 23) * kPrime2 + kPrime3;
        at += 4;
        left -= 4;
    }
    for (; left > 0; ++at, --left)
        digest = RotateLeft(digest ^ (*at * kPrime5), 11) * kPrime1;
    digest ^= digest >> 33;
    digest *= kPrime2;
    digest ^= digest >> 29;
    digest *= kPrime3;
    digest ^= digest >> 32;
    return digest;
}

std::string ByteDigest::Text() const
{
    char text[48];
    std::snprintf(text, sizeof text, "%llu:%016llx", static_cast<unsigned long long>(total_),
        static_cast<unsigned long long>(Value()));
    return text;
}

bool ByteDigest::SameState(const ByteDigest& other) const
{
    return total_ == other.total_ && started_ == other.started_ &&
        pendingSize_ == other.pendingSize_ &&
        std::memcmp(lanes_, other.lanes_, sizeof lanes_) == 0 &&
        std::memcmp(pending_, other.pending_, pendingSize_) == 0;
}

std::string DigestOfBytes(const char* data, size_t size)
{
    ByteDigest digest;
    digest.Add(data, size);
    return digest.Text();
}

namespace {

bool DigestFile(const std::string& path, ByteDigest& digest)
{
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    struct stat status { };
    bool ok = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    // A small file (most headers) needs no big buffer.
    const size_t bufferBytes =
        ok ? static_cast<size_t>(std::clamp<off_t>(status.st_size + 1, 1, off_t {1} << 20)) : 1;
    const auto buffer = std::make_unique_for_overwrite<char[]>(bufferBytes);
    while (ok) {
        const ssize_t got = ::read(fd, buffer.get(), bufferBytes);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        digest.Add(buffer.get(), static_cast<size_t>(got));
    }
    ::close(fd);
    return ok;
}

} // namespace

std::string DigestOfFile(const std::string& path)
{
    ByteDigest digest;
    return DigestFile(path, digest) ? digest.Text() : std::string();
}

std::optional<uint64_t> DigestValueOfFile(const std::string& path)
{
    ByteDigest digest;
    if (!DigestFile(path, digest))
        return std::nullopt;
    return digest.Value();
}
