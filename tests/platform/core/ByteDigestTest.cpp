#include "ByteDigest.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

TEST(ByteDigest, SameBytesHoweverFedGiveTheSameDigestAndAnyChangeAnother)
{
    std::string bytes;
    for (int i = 0; i < 1000; ++i)
        bytes += static_cast<char>(i * 7 + i / 13);
    const std::string whole = DigestOfBytes(bytes.data(), bytes.size());
    for (size_t piece : {1, 3, 31, 32, 33, 64, 999}) {
        ByteDigest fed;
        for (size_t at = 0; at < bytes.size(); at += piece)
            fed.Add(bytes.data() + at, std::min(piece, bytes.size() - at));
        EXPECT_EQ(fed.Text(), whole) << piece;
    }
    for (size_t at : {0, 31, 32, 500, 999}) {
        std::string changed = bytes;
        changed[at] = static_cast<char>(changed[at] ^ 0x10);
        EXPECT_NE(DigestOfBytes(changed.data(), changed.size()), whole) << at;
    }
    // A cut or a zero byte more changes it too, at every length.
    for (size_t size = 0; size < 70; ++size)
        EXPECT_NE(DigestOfBytes(bytes.data(), size), DigestOfBytes(bytes.data(), size + 1)) << size;

    TempFolder folder;
    EXPECT_EQ(DigestOfFile(folder.Write("a.bin", bytes)), whole);
    EXPECT_EQ(DigestOfFile(folder.File("missing")), "");
    EXPECT_EQ(DigestOfFile(folder.Path()), "");
}

// Digests are kept in the settings from one run of the program to the next:
// the same bytes must give the same text in every version.
TEST(ByteDigest, TheDigestOfGivenBytesNeverChanges)
{
    std::string bytes;
    for (int i = 0; i < 1000; ++i)
        bytes += static_cast<char>(i * 7 + i / 13);
    EXPECT_EQ(DigestOfBytes(bytes.data(), 0), "0:ef46db3751d8e999");
    EXPECT_EQ(DigestOfBytes(bytes.data(), 5), "5:8ad58ce18a6fd093");
    EXPECT_EQ(DigestOfBytes(bytes.data(), 32), "32:d64d05cde4e6fd61");
    EXPECT_EQ(DigestOfBytes(bytes.data(), 100), "100:dad76c5e3ed40107");
    EXPECT_EQ(DigestOfBytes(bytes.data(), 1000), "1000:cae86109f50def4c");
}

// A state kept part way and fed the rest ends in the state of the whole,
// however the bytes were cut; a byte changed anywhere, also in the last
// part of a stripe, or one byte more or less, ends elsewhere.
TEST(ByteDigest, AStateGoneOnFromEndsAsTheWholeDid)
{
    std::string bytes;
    for (int i = 0; i < 300; ++i)
        bytes += static_cast<char>(i * 11 + i / 7);
    ByteDigest whole;
    whole.Add(bytes.data(), bytes.size());
    for (size_t cut : {0, 5, 32, 77, 299, 300}) {
        ByteDigest first;
        first.Add(bytes.data(), cut);
        ByteDigest kept = first;
        for (size_t at = cut; at < bytes.size(); at += 13)
            kept.Add(bytes.data() + at, std::min<size_t>(13, bytes.size() - at));
        EXPECT_TRUE(kept.SameState(whole)) << cut;
    }
    for (size_t at : {0, 31, 100, 290, 299}) {
        std::string changed = bytes;
        changed[at] = static_cast<char>(changed[at] ^ 0x01);
        ByteDigest other;
        other.Add(changed.data(), changed.size());
        EXPECT_FALSE(other.SameState(whole)) << at;
    }
    ByteDigest shorter;
    shorter.Add(bytes.data(), bytes.size() - 1);
    EXPECT_FALSE(shorter.SameState(whole));
    shorter.Add("x", 1);
    EXPECT_FALSE(shorter.SameState(whole));
}
