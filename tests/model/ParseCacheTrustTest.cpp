#include "ByteDigest.h"
#include "CacheFixture.h"
#include "ParseCacheReader.h"
#include "ParseCacheWriter.h"
#include "TokenType.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace {

bool IsEmpty(const CacheRecords& records)
{
    return records.projects.empty() && records.index.files.empty();
}

} // namespace

TEST(ParseCacheTrust, ACacheCutShortOrRewrittenWhileItLoadsIsReadWholeOrRefused)
{
    CacheRecords big;
    FillCacheRecords(big);
    for (int k = 0; k < 200000; ++k)
        big.projects[0]->scan.tokens.emplace_back(k, IDENTIFIER, "token");
    TempFolder folder;
    const std::string path = folder.File("x.car");
    ASSERT_TRUE(CParseCacheWriter(big.projects, big.index).Save(path));
    const std::string bytes = ReadFileBytes(path);

    // Another program copies the file over the cache again and again (cut to
    // nothing, then written anew), as `cp` does.
    std::atomic<bool> stop {false};
    std::thread copier([&] {
        while (!stop) {
            const int fd = open(path.c_str(), O_WRONLY | O_TRUNC);
            if (fd < 0)
                continue;
            for (size_t at = 0; at < bytes.size() && !stop; at += 65536) {
                const size_t size = std::min<size_t>(65536, bytes.size() - at);
                if (write(fd, bytes.data() + at, size) != static_cast<ssize_t>(size))
                    break;
            }
            close(fd);
        }
    });
    int loaded = 0;
    int refused = 0;
    for (int attempt = 0; attempt < 400; ++attempt) {
        CacheRecords target;
        CapturedOutput quiet;
        CParseCacheReader reader(target.projects, target.index, nullptr);
        if (reader.Load(path)) {
            ++loaded;
            EXPECT_EQ(target.projects.size(), big.projects.size());
            EXPECT_EQ(target.projects[0]->scan.tokens.size(), big.projects[0]->scan.tokens.size());
        } else {
            ++refused;
            EXPECT_TRUE(IsEmpty(target)) << reader.Failure();
        }
    }
    stop = true;
    copier.join();
    EXPECT_EQ(loaded + refused, 400);
}

TEST(ParseCacheTrust, ACacheWhoseBytesChangedSinceTheSaveIsRefusedWhenItsDigestIsKnown)
{
    CacheRecords original;
    FillCacheRecords(original);
    TempFolder folder;
    const std::string path = folder.File("x.car");
    CParseCacheWriter writer(original.projects, original.index);
    ASSERT_TRUE(writer.Save(path));
    const std::string digest = writer.Digest();
    const std::string bytes = ReadFileBytes(path);
    EXPECT_EQ(digest, DigestOfBytes(bytes.data(), bytes.size()));

    const auto load = [&path](CacheRecords& target, const std::string& expected) {
        CapturedOutput quiet;
        CParseCacheReader reader(target.projects, target.index, nullptr);
        const bool loaded = reader.Load(path, expected);
        return loaded ? std::string() : reader.Failure();
    };
    CacheRecords intact;
    EXPECT_EQ(load(intact, digest), "");
    EXPECT_EQ(intact.projects.size(), original.projects.size());

    // A change that still reads as a cache: the first record's time.
    const auto intAt = [&bytes](size_t offset) {
        return static_cast<size_t>(static_cast<unsigned char>(bytes[offset])) |
            static_cast<size_t>(static_cast<unsigned char>(bytes[offset + 1])) << 8;
    };
    size_t at = 16; // the first record's path
    at += 4 + intAt(at); // its includes
    at += 4 + 4 * intAt(at) + 3 + 4 + 4; // three flags, index number, size
    std::string damaged = bytes;
    damaged[at] = static_cast<char>(damaged[at] ^ 1);
    folder.Write("x.car", damaged);
    CacheRecords unchecked;
    EXPECT_EQ(load(unchecked, ""), "") << "without a digest the damage goes unseen";
    CacheRecords checked;
    EXPECT_EQ(load(checked, digest), "changed since it was saved");
    EXPECT_TRUE(IsEmpty(checked));
    CacheRecords unwritten;
    EXPECT_NE(load(unwritten, "unwritten"), "");
    EXPECT_TRUE(IsEmpty(unwritten));

    // A save that fails gives no digest.
    EXPECT_FALSE(writer.Save(folder.File("gone/x.car")));
    EXPECT_EQ(writer.Digest(), "");
}
