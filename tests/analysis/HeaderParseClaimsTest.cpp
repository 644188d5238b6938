#include "HeaderParseClaims.h"
#include "SourceContent.h"

#include <gtest/gtest.h>

namespace {

std::vector<PPToken> Tokens(const char* name, int line = 1)
{
    std::vector<PPToken> tokens;
    tokens.emplace_back(line, 1, "int");
    tokens.emplace_back(line, 2, name);
    return tokens;
}

bool Claim(
    HeaderParseClaims& claims, const char* path, const std::vector<PPToken>& tokens, size_t reader)
{
    return claims.Claim(PathAndTokensDigest(path, tokens), reader);
}

} // namespace

// The earliest project file with a reading keeps the claim, whichever worker
// asks first; other paths and other tokens are other readings.
TEST(HeaderParseClaims, TheEarliestReaderOfAReadingHoldsItsClaim)
{
    HeaderParseClaims claims;
    const std::vector<PPToken> a = Tokens("a");
    EXPECT_TRUE(Claim(claims, "inc/a.h", a, 5));
    EXPECT_FALSE(Claim(claims, "inc/a.h", a, 7));
    EXPECT_FALSE(Claim(claims, "inc/a.h", a, 5));
    EXPECT_TRUE(Claim(claims, "inc/a.h", a, 2)); // an earlier file takes it over
    EXPECT_FALSE(Claim(claims, "inc/a.h", a, 3));

    EXPECT_TRUE(Claim(claims, "inc/b.h", a, 9)); // the same tokens, another path
    EXPECT_TRUE(Claim(claims, "inc/a.h", Tokens("b"), 9)); // other text
    EXPECT_TRUE(Claim(claims, "inc/a.h", Tokens("a", 2), 9)); // other lines
}

// A reading kept for the run is claimed by no project file, however early.
TEST(HeaderParseClaims, AReadingKeptForTheRunIsNeverClaimed)
{
    HeaderParseClaims claims;
    const std::vector<PPToken> a = Tokens("a");
    claims.KeepForRun(PathAndTokensDigest("inc/a.h", a));
    EXPECT_FALSE(Claim(claims, "inc/a.h", a, 5));
    EXPECT_FALSE(Claim(claims, "inc/a.h", a, 0));
    EXPECT_TRUE(Claim(claims, "inc/b.h", a, 5));
}
