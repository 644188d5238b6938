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
