#include "PPToken.h"
#include "TokenType.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string TextOf(int i)
{
    // Lengths 1 to 40, so that texts end at every offset of a block.
    return "t" + std::to_string(i) + std::string(static_cast<size_t>(i % 33), 'x');
}

std::vector<PPToken> PlaceMany(TokenTextStore& store, int count)
{
    std::vector<PPToken> tokens;
    tokens.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const std::string text = TextOf(i);
        PPToken& token = tokens.emplace_back();
        token.line = i;
        token.type = IDENTIFIER;
        token.text = store.Place(text.data(), text.size());
    }
    return tokens;
}

void ExpectTexts(const std::vector<PPToken>& tokens)
{
    for (size_t i = 0; i < tokens.size(); ++i) {
        ASSERT_NE(tokens[i].text, nullptr);
        ASSERT_STREQ(tokens[i].text, TextOf(static_cast<int>(i)).c_str()) << i;
    }
}

} // namespace

// Enough texts to fill many blocks: each keeps its characters after the
// store is gone, and the blocks go with the last text in them, whichever
// thread releases it (the analysis thread reads a cache; another thread may
// drop the records).
TEST(TokenTextStore, TextsOutliveTheStoreAcrossBlocks)
{
    std::vector<PPToken> tokens;
    {
        TokenTextStore store;
        tokens = PlaceMany(store, 60000);
    }
    ExpectTexts(tokens);
    std::vector<PPToken> back(
        std::make_move_iterator(tokens.begin() + 30000), std::make_move_iterator(tokens.end()));
    tokens.resize(30000);
    std::thread other([&] { back.clear(); });
    ExpectTexts(tokens);
    tokens.clear();
    other.join();
}

TEST(TokenTextStore, TokensMayGoBeforeTheStore)
{
    TokenTextStore store;
    PlaceMany(store, 5000); // destroyed at once
    std::vector<PPToken> later = PlaceMany(store, 5000);
    ExpectTexts(later);
}

TEST(TokenTextStore, PlacedTextsBehaveLikeOwnTexts)
{
    TokenTextStore store;
    PPToken placed(3, IDENTIFIER, nullptr);
    placed.text = store.Place("abcdef", 3); // a prefix, NUL-terminated
    EXPECT_STREQ(placed.text, "abc");

    PPToken copy = placed; // a copy has a text of its own
    ASSERT_NE(copy.text, placed.text);
    copy.text[0] = 'X';
    EXPECT_STREQ(placed.text, "abc");

    PPToken heap(1, IDENTIFIER, "heap");
    heap = placed; // copy-assign over a heap text
    EXPECT_STREQ(heap.text, "abc");
    placed = PPToken(2, IDENTIFIER, "own"); // move-assign over a placed text
    EXPECT_STREQ(placed.text, "own");

    PPToken moved = std::move(heap);
    EXPECT_EQ(heap.text, nullptr);
    EXPECT_STREQ(moved.text, "abc");

    PPToken edited(4, IDENTIFIER, nullptr);
    edited.text = store.Place("word", 4);
    edited.SetText("other");
    EXPECT_STREQ(edited.text, "other");
    edited.FreeText();
    edited.text = store.Place("again", 5);
    edited.FreeText();
    EXPECT_EQ(edited.text, nullptr);
    MakeIdentifierToken(edited, "name");
    EXPECT_STREQ(edited.text, "name");
}

TEST(TokenTextStore, LongAndEmptyTexts)
{
    TokenTextStore store;
    const std::string longText(200000, 'q');
    PPToken big;
    big.text = store.Place(longText.data(), longText.size());
    EXPECT_EQ(std::strlen(big.text), longText.size());
    PPToken empty;
    empty.text = store.Place("", 0);
    EXPECT_STREQ(empty.text, "");
}

// Packing keeps every token's text as it was, whether it had a heap block of
// its own, was already placed, was too long to place or had none; the packed
// tokens outlive the store and can be copied, changed and freed as any other.
TEST(TokenTextStore, PackedTokensKeepTheirTexts)
{
    const std::string longText(10000, 'L');
    std::vector<PPToken> tokens;
    std::vector<std::string> expected;
    {
        TokenTextStore store;
        std::vector<PPToken> placed = PlaceMany(store, 3000);
        for (int i = 0; i < 3000; ++i) {
            if (i % 3 == 0) {
                tokens.emplace_back(i, IDENTIFIER, TextOf(i).c_str());
            } else if (i % 3 == 1) {
                tokens.push_back(std::move(placed[static_cast<size_t>(i)]));
            } else {
                tokens.emplace_back(i, IDENTIFIER, i % 2 ? longText.c_str() : nullptr);
            }
            expected.push_back(tokens.back().text ? tokens.back().text : "(none)");
        }
        store.Pack(tokens);
        store.Pack(tokens); // a second pack changes nothing
    }
    ASSERT_EQ(tokens.size(), expected.size());
    for (size_t i = 0; i < tokens.size(); ++i)
        EXPECT_EQ(tokens[i].text ? tokens[i].text : "(none)", expected[i]) << i;
    std::vector<PPToken> copies = tokens;
    tokens[0].SetText("changed");
    tokens.erase(tokens.begin() + 1, tokens.begin() + 1500);
    EXPECT_STREQ(tokens[0].text, "changed");
    EXPECT_EQ(copies[0].text, expected[0]);
    EXPECT_EQ(copies.back().text ? copies.back().text : "(none)", expected.back());
}
