#include "AtomicFile.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(AtomicFile, ReplacesRegularFilesOnlyAndWritesThroughLinks)
{
    TempFolder folder;
    const std::string real = folder.Write("real.txt", "old");
    const std::string link = folder.File("link.txt");
    ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
    ASSERT_TRUE(WriteFileAtomically(link, "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    std::string content;
    ASSERT_EQ(ReadWholeFile(real, content, 100), ReadResult::Ok);
    EXPECT_EQ(content, "new");

    // A FIFO, directly or through a link, is neither replaced nor read (and
    // reading does not wait for a writer).
    const std::string fifo = folder.File("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string fifoLink = folder.File("fifo-link");
    ASSERT_EQ(::symlink(fifo.c_str(), fifoLink.c_str()), 0);
    for (const std::string& path : {fifo, fifoLink}) {
        EXPECT_FALSE(WriteFileAtomically(path, "x"));
        EXPECT_EQ(ReadWholeFile(path, content, 100), ReadResult::ReadFailed);
        EXPECT_FALSE(IsRegularFile(path));
    }
    EXPECT_FALSE(WriteFileAtomically(folder.Path(), "x"));
    EXPECT_EQ(ReadWholeFile(folder.File("missing"), content, 100), ReadResult::CannotOpen);
    EXPECT_EQ(ReadWholeFile(real, content, 2), ReadResult::ReadFailed);
    EXPECT_TRUE(content.empty());
}

TEST(AtomicFile, TemporariesOfAKilledWriterAreRemovedByTheNextWrite)
{
    TempFolder folder;
    const std::string target = folder.Write("cache.car", "old");
    // A process id that does not run (beyond the kernel's limit).
    const std::string abandoned = folder.Write(".cache.car.tmp999999999-0-0", "partial");
    const std::string ours =
        folder.Write(".cache.car.tmp" + std::to_string(::getpid()) + "-7-0", "x");
    const std::string other = folder.Write(".other.car.tmp999999999-0-0", "partial");
    ASSERT_TRUE(WriteFileAtomically(target, "new"));
    EXPECT_FALSE(fs::exists(abandoned));
    EXPECT_TRUE(fs::exists(ours));
    EXPECT_TRUE(fs::exists(other));
    int files = 0;
    for (const auto& entry : fs::directory_iterator(folder.Path()))
        files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 3);
}

namespace {

bool WriteNew(int fd, void*)
{
    return WriteAllBytes(fd, "new", 3);
}

bool FailToWrite(int, void*)
{
    return false;
}

// What an open descriptor reads from its start.
std::string ReadOpen(int fd)
{
    char bytes[16] = {};
    const ssize_t got = ::pread(fd, bytes, sizeof bytes, 0);
    return got > 0 ? std::string(bytes, static_cast<size_t>(got)) : std::string();
}

} // namespace

// The file replaced is handed over still open, so that the caller closes it
// where it likes; nothing is handed over when nothing was replaced, when
// the write failed or when what was replaced was a link.
TEST(AtomicFile, TheReplacedFileIsHandedOverOpen)
{
    TempFolder folder;
    const std::string target = folder.File("cache.car");
    int replaced = 7;
    ASSERT_TRUE(WriteFileAtomicallyWith(target, &WriteNew, nullptr, LinkRule::Replace, &replaced));
    EXPECT_EQ(replaced, -1);

    folder.Write("cache.car", "old");
    ASSERT_TRUE(WriteFileAtomicallyWith(target, &WriteNew, nullptr, LinkRule::Replace, &replaced));
    ASSERT_GE(replaced, 0);
    EXPECT_EQ(ReadOpen(replaced), "old");
    EXPECT_EQ(ReadFileBytes(target), "new");
    ::close(replaced);

    EXPECT_FALSE(
        WriteFileAtomicallyWith(target, &FailToWrite, nullptr, LinkRule::Replace, &replaced));
    EXPECT_EQ(replaced, -1);
    EXPECT_EQ(ReadFileBytes(target), "new");

    const std::string elsewhere = folder.Write("elsewhere.txt", "kept");
    const std::string link = folder.File("link.car");
    ASSERT_EQ(::symlink(elsewhere.c_str(), link.c_str()), 0);
    ASSERT_TRUE(WriteFileAtomicallyWith(link, &WriteNew, nullptr, LinkRule::Replace, &replaced));
    EXPECT_EQ(replaced, -1);
    EXPECT_EQ(ReadFileBytes(elsewhere), "kept");
}

// A file replaced by a smaller or a larger one: the new one holds its own
// bytes and no more room than they take, whatever was set aside for it.
TEST(AtomicFile, ANewFileKeepsNoRoomPastItsEnd)
{
    TempFolder folder;
    const std::string target = folder.File("cache.car");
    const std::string large(size_t {4} << 20, 'o');
    const std::string small(size_t {100} << 10, 's');
    const std::string larger(size_t {5} << 20, 'l');
    for (const std::string* content : {&large, &small, &larger}) {
        ASSERT_TRUE(WriteFileAtomically(target, *content));
        EXPECT_TRUE(ReadFileBytes(target) == *content);
        struct stat status { };
        ASSERT_EQ(::stat(target.c_str(), &status), 0);
        EXPECT_EQ(static_cast<size_t>(status.st_size), content->size());
        // Blocks of 512 bytes; a little more than the bytes for the file
        // system's own bookkeeping.
        EXPECT_LE(
            static_cast<size_t>(status.st_blocks) * 512, content->size() + (size_t {64} << 10))
            << content->size();
    }
}
