#include "CacheError.h"
#include "CacheFileWriter.h"
#include "TempFolder.h"

#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

namespace {

CacheChunk ChunkOf(const std::string& text, size_t capacity)
{
    CacheChunk chunk;
    chunk.bytes = std::make_unique<char[]>(capacity);
    chunk.capacity = capacity;
    chunk.size = text.size();
    std::memcpy(chunk.bytes.get(), text.data(), text.size());
    return chunk;
}

} // namespace

// Chunks land in the order given and patches on what was written before
// them, however far the writing thread is behind; the chunk handed back
// can be filled again.
TEST(CacheFileWriterTest, WritesChunksAndPatchesInOrder)
{
    TempFolder folder;
    const std::string path = folder.File("out.bin");
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    std::string expected;
    {
        CCacheFileWriter writer(fd);
        for (int i = 0; i < 40; ++i) {
            const std::string text(
                static_cast<size_t>(100 + i * 37), static_cast<char>('a' + i % 26));
            CacheChunk chunk = ChunkOf(text, 4096);
            writer.Write(chunk);
            EXPECT_EQ(chunk.size, 0u);
            EXPECT_GE(chunk.capacity, 4096u);
            ASSERT_NE(chunk.bytes, nullptr);
            expected += text;
            if (i % 3 == 2) {
                const size_t at = expected.size() / 2;
                writer.Patch(at, 0x04030201u);
                expected.replace(at, 4, "\x01\x02\x03\x04", 4);
            }
        }
        EXPECT_TRUE(writer.Finish());
    }
    ::close(fd);
    EXPECT_TRUE(ReadFileBytes(path) == expected);
}

// Bytes appended as they are land between the chunks in the order given;
// the digest taken while writing is that of the file, until a patch.
TEST(CacheFileWriterTest, AppendedBytesLandInOrderAndTheDigestIsTheFiles)
{
    TempFolder folder;
    const std::string path = folder.File("out.bin");
    for (const bool patch : {false, true}) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        std::string expected;
        ByteDigest digest;
        bool whole = false;
        {
            CCacheFileWriter writer(fd);
            writer.DigestInto(&digest);
            for (int i = 0; i < 30; ++i) {
                const std::string text(
                    static_cast<size_t>(1000 + i * 4099), static_cast<char>('a' + i % 26));
                if (i % 2 == 0) {
                    CacheChunk chunk = ChunkOf(text, text.size());
                    writer.Write(chunk);
                } else {
                    writer.Append(ChunkOf(text, text.size()));
                }
                expected += text;
            }
            if (patch) {
                writer.Patch(8, 0x04030201u);
                expected.replace(8, 4, "\x01\x02\x03\x04", 4);
            }
            EXPECT_TRUE(writer.Finish());
            whole = writer.DigestWhole();
        }
        ::close(fd);
        EXPECT_TRUE(ReadFileBytes(path) == expected) << patch;
        EXPECT_EQ(whole, !patch);
        if (whole) {
            EXPECT_EQ(digest.Text(), DigestOfBytes(expected.data(), expected.size()));
        }
    }
}

// The digest holds every byte handed over as soon as it was handed over,
// whatever the writing thread has come to: the caller reads it without
// waiting for the writing.
TEST(CacheFileWriterTest, TheDigestHoldsTheBytesOnceHandedOver)
{
    TempFolder folder;
    const std::string path = folder.File("out.bin");
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    std::vector<std::string> texts;
    for (int i = 0; i < 12; ++i) {
        texts.emplace_back(static_cast<size_t>((2 << 20) + i * 1031), static_cast<char>('a' + i));
    }
    ByteDigest digest;
    ByteDigest handedOver;
    {
        CCacheFileWriter writer(fd);
        writer.DigestInto(&digest);
        for (size_t i = 0; i < texts.size(); ++i) {
            if (i % 3 == 0) {
                CacheChunk chunk = ChunkOf(texts[i], texts[i].size());
                writer.Write(chunk);
            } else {
                writer.Append(ChunkOf(texts[i], texts[i].size()));
            }
            const std::string now = digest.Text();
            handedOver.Add(texts[i].data(), texts[i].size());
            ASSERT_EQ(now, handedOver.Text()) << i;
        }
        EXPECT_TRUE(writer.Finish());
        EXPECT_TRUE(writer.DigestWhole());
    }
    ::close(fd);
    std::string expected;
    for (const std::string& text : texts) {
        expected += text;
    }
    EXPECT_TRUE(ReadFileBytes(path) == expected);
}

// A write that fails stops the writing: handing over throws from then on,
// and the end reports it.
TEST(CacheFileWriterTest, AFailedWriteIsReported)
{
    TempFolder folder;
    const std::string path = folder.File("read-only.bin");
    ::close(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644));
    const int fd = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    {
        CCacheFileWriter writer(fd);
        bool threw = false;
        for (int i = 0; i < 100 && !threw; ++i) {
            CacheChunk chunk = ChunkOf("bytes", 64);
            try {
                writer.Write(chunk);
            } catch (const CacheError&) {
                threw = true;
            }
        }
        EXPECT_TRUE(threw);
        EXPECT_FALSE(writer.Finish());
    }
    ::close(fd);
}
