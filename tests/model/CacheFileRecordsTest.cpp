#include "ByteDigest.h"
#include "CacheError.h"
#include "CacheFileRecords.h"
#include "ParseCacheFormat.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void PutInt(std::string& bytes, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

// A cache file's frame: its head, then records of the given lengths, each
// filled with bytes of its own; the records' contents are not looked at.
std::string Frame(int32_t version, int32_t projects, const std::vector<uint32_t>& lengths)
{
    std::string bytes;
    PutInt(bytes, static_cast<uint32_t>(version));
    PutInt(bytes, static_cast<uint32_t>(projects));
    PutInt(bytes, static_cast<uint32_t>(lengths.size()) - static_cast<uint32_t>(projects));
    for (size_t r = 0; r < lengths.size(); ++r) {
        PutInt(bytes, lengths[r]);
        for (uint32_t k = 0; k < lengths[r]; ++k)
            bytes.push_back(static_cast<char>('a' + (r + k) % 26));
    }
    return bytes;
}

std::string CurrentFrame(const std::vector<uint32_t>& lengths)
{
    return Frame(kParseCacheVersion, 1, lengths);
}

} // namespace

// Records straddle the blocks the file is read through in, and come back
// byte for byte; the digest of the whole file is that of its bytes.
TEST(CacheFileRecords, RecordsAcrossBlocksReadBackAsWritten)
{
    const std::vector<uint32_t> lengths {100, (3u << 20) + 5, 48, 1u << 20, 60, 700000};
    const std::string bytes = CurrentFrame(lengths);
    TempFolder folder;
    const std::string path = folder.Write("x.car", bytes);
    ByteDigest digest;
    const CacheFileRecords file(path, nullptr, &digest);
    ASSERT_EQ(file.Failure(), "");
    EXPECT_EQ(digest.Text(), DigestOfBytes(bytes.data(), bytes.size()));
    EXPECT_EQ(file.Projects(), 1);
    EXPECT_EQ(file.Headers(), 5);
    EXPECT_FALSE(file.Cut());
    EXPECT_FALSE(file.BytesAfterRecords());
    ASSERT_EQ(file.Places().size(), lengths.size());
    std::vector<char> buffer;
    size_t at = 12;
    for (size_t r = 0; r < lengths.size(); ++r) {
        const CacheFileRecords::Place& place = file.Places()[r];
        EXPECT_EQ(place.offset, at + 4);
        EXPECT_EQ(place.length, lengths[r]);
        const char* read = file.Read(place, buffer);
        EXPECT_EQ(std::string(read, place.length), bytes.substr(at + 4, lengths[r])) << r;
        at += 4 + lengths[r];
    }
}

// Bytes rewritten after the file was read through, its size the same, are
// refused when their record is read, not made into a record.
TEST(CacheFileRecords, ARecordRewrittenAfterTheFirstPassIsRefused)
{
    const std::vector<uint32_t> lengths {200, 2u << 20, 300};
    const std::string bytes = CurrentFrame(lengths);
    TempFolder folder;
    const std::string path = folder.Write("x.car", bytes);
    const CacheFileRecords file(path, nullptr, nullptr);
    ASSERT_EQ(file.Failure(), "");
    ASSERT_EQ(file.Places().size(), 3u);

    std::string changed = bytes;
    const size_t inSecond = file.Places()[1].offset + (1u << 20) + 3;
    changed[inSecond] = static_cast<char>(changed[inSecond] ^ 1);
    folder.Write("x.car", changed);
    std::vector<char> buffer;
    EXPECT_NO_THROW(file.Read(file.Places()[0], buffer));
    const CacheFileRecords::Place copy = file.Places()[0];
    EXPECT_THROW(file.Read(copy, buffer), CacheError); // not a place of the file
    try {
        file.Read(file.Places()[1], buffer);
        ADD_FAILURE() << "a rewritten record was read";
    } catch (const CacheError& error) {
        EXPECT_STREQ(error.what(), CacheFileRecords::kChanged);
    }

    // A file cut short under the reader is refused the same way.
    folder.Write("x.car", bytes.substr(0, file.Places()[2].offset + 10));
    EXPECT_THROW(file.Read(file.Places()[2], buffer), CacheError);
}

// A length past the end cuts the records short, and what a head promises
// beyond the bytes there is is refused before any record is looked at.
TEST(CacheFileRecords, LengthsAndCountsThatDoNotFit)
{
    TempFolder folder;
    std::string cut = CurrentFrame({100, 100});
    cut.resize(cut.size() - 1);
    const CacheFileRecords shortened(folder.Write("cut.car", cut), nullptr, nullptr);
    EXPECT_EQ(shortened.Failure(), "");
    EXPECT_EQ(shortened.Places().size(), 1u);
    EXPECT_TRUE(shortened.Cut());

    std::string trailing = CurrentFrame({100, 100}) + "x";
    const CacheFileRecords longer(folder.Write("more.car", trailing), nullptr, nullptr);
    EXPECT_EQ(longer.Failure(), "");
    EXPECT_TRUE(longer.BytesAfterRecords());

    std::string many = CurrentFrame({100});
    many[8] = 100; // a hundred headers in 104 bytes
    const CacheFileRecords counted(folder.Write("many.car", many), nullptr, nullptr);
    EXPECT_EQ(counted.Failure(), "Read Integer Error.");

    const CacheFileRecords other(
        folder.Write("old.car", Frame(kParseCacheVersion - 1, 1, {100})), nullptr, nullptr);
    EXPECT_EQ(other.Failure(), "version not match");
    const CacheFileRecords missing(folder.File("none.car"), nullptr, nullptr);
    EXPECT_EQ(missing.Failure(), "cannot be opened");
}
