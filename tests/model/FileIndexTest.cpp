#include "FileIndex.h"
#include "IncludedFile.h"
#include "SourceContent.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>

namespace {

std::unique_ptr<CSourceFile> Header(
    const std::string& path, int32_t size, int32_t mtime, int tokens)
{
    auto file = std::make_unique<CIncludedFile>(path.c_str(), nullptr, true);
    file->size = size;
    file->mtime = mtime;
    for (int k = 0; k < tokens; ++k) {
        file->scan.tokens.emplace_back(1, 46, "x");
    }
    return file;
}

} // namespace

TEST(FileIndex, OnlyTheSameContentIsFoundAgain)
{
    // A reading of Inc/A.h: its first token has no text, it read header 4
    // and defined M.
    auto reading = [] {
        auto file = Header("Inc/A.h", 10, 100, 3);
        file->scan.tokens[0].SetText(nullptr);
        file->includes = {4};
        file->macros["M"];
        return file;
    };
    CFileIndex index;
    index.Add(reading());
    index.Add(Header("Inc/A.h", 10, 100, 5)); // another instance of the identity
    EXPECT_TRUE(index.Contains("inc/a.H", 10, 100));
    EXPECT_FALSE(index.Contains("inc/a.h", 11, 100));

    // Each case changes one thing of a reading that is otherwise the same
    // as instance 0.
    const std::vector<std::tuple<const char*, bool, std::function<void(CSourceFile&)>>> cases = {
        {"nothing", true, [](CSourceFile&) {}},
        {"empty text for none", true, [](CSourceFile& f) { f.scan.tokens[0].SetText(""); }},
        {"token text", false, [](CSourceFile& f) { f.scan.tokens[1].SetText("y"); }},
        {"token line", false, [](CSourceFile& f) { f.scan.tokens[2].line = 2; }},
        {"token type", false, [](CSourceFile& f) { f.scan.tokens[2].type = 47; }},
        {"another header read", false, [](CSourceFile& f) { f.includes = {5}; }},
        {"macro body", false,
            [](CSourceFile& f) {
                CMacroDef def;
                def.body.emplace_back(1, 42, "1");
                f.macros["M"] = SharedMacro(std::move(def));
            }},
        {"another macro", false, [](CSourceFile& f) { f.macros["N"]; }},
        {"macro made again alike", true,
            [](CSourceFile& f) { f.macros["M"] = SharedMacro(CMacroDef {}); }},
        {"macro of another form", false,
            [](CSourceFile& f) {
                CMacroDef def;
                def.functionLike = true;
                f.macros["M"] = SharedMacro(std::move(def));
            }},
        {"path spelled otherwise", false, [](CSourceFile& f) { f.path = "inc/a.h"; }},
        {"time", false, [](CSourceFile& f) { f.mtime = 101; }},
    };
    for (const auto& [what, same, change] : cases) {
        auto file = reading();
        change(*file);
        EXPECT_EQ(index.FindSame(*file), same ? 0 : -1) << what;
        // The same when the reading's body digest comes worked out.
        EXPECT_EQ(index.FindSame(*file, BodyDigest(*file)), same ? 0 : -1) << what;
    }
    EXPECT_EQ(index.FindSame(*Header("Inc/A.h", 10, 100, 5)), 1);
    index.UpdateEntry(0);
    EXPECT_EQ(index.FindSame(*reading()), -1); // withdrawn
}

TEST(FileIndex, FirstInstanceIsTheOneWhoseReadingStartedFirst)
{
    CFileIndex index;
    index.Add(Header("a.h", 1, 1, 2)); // an inner reading, finished first
    index.Add(Header("A.H", 1, 1, 9)); // the outer one
    const uint64_t outer = index.NextReadingStamp();
    const uint64_t inner = index.NextReadingStamp();
    index.OfferFirst(0, inner);
    EXPECT_EQ(index.FirstIndex("a.h", 1, 1), 0);
    index.OfferFirst(1, outer);
    index.OfferFirst(0, index.NextReadingStamp()); // later: no change
    EXPECT_EQ(index.FirstIndex("a.h", 1, 1), 1);
    index.UpdateEntry(1);
    EXPECT_EQ(index.FirstIndex("a.h", 1, 1), -1);
    index.OfferFirst(0, inner);
    index.ForgetFirsts();
    EXPECT_EQ(index.FirstIndex("a.h", 1, 1), -1);
}

// A retired instance is never taken for a reading again, but gives its
// units to one twin until the index is reordered; what a reorder leaves out
// is handed back when asked for, instead of being deleted.
TEST(FileIndex, RetiredInstancesGiveTheirUnitsOnceUntilTheyAreHandedBack)
{
    CFileIndex index;
    index.Add(Header("a.h", 1, 1, 3));
    index.Add(Header("b.h", 1, 1, 2));
    index.files[0]->parsed = true;
    index.Retire(0);
    EXPECT_EQ(index.FindSame(*Header("a.h", 1, 1, 3)), -1);
    EXPECT_EQ(index.FindParsedTwin(*Header("a.h", 1, 1, 3)), -1);
    EXPECT_EQ(index.TakeRetiredTwin(*Header("a.h", 1, 1, 4)), -1); // other tokens
    EXPECT_EQ(index.TakeRetiredTwin(*Header("a.h", 1, 1, 3)), 0);
    EXPECT_EQ(index.TakeRetiredTwin(*Header("a.h", 1, 1, 3)), -1); // taken

    index.Add(Header("a.h", 1, 1, 2));
    index.Retire(2);
    index.files[2]->parsed = true;
    std::vector<std::unique_ptr<CSourceFile>> dropped;
    const std::vector<int32_t> renumber = index.Reorder({1}, &dropped);
    EXPECT_EQ(renumber, (std::vector<int32_t> {-1, 0, -1}));
    ASSERT_EQ(dropped.size(), 2u);
    EXPECT_EQ(dropped[0]->path, "a.h");
    EXPECT_EQ(index.FindSame(*Header("b.h", 1, 1, 2)), 0); // renumbered
    index.Add(Header("a.h", 1, 1, 2)); // number 1, unparsed
    EXPECT_EQ(index.TakeRetiredTwin(*Header("a.h", 1, 1, 2)), -1);

    // A withdrawn file that a reorder keeps is filed again.
    index.UpdateEntry(0);
    EXPECT_EQ(index.FindSame(*Header("b.h", 1, 1, 2)), -1);
    index.Reorder({1, 0});
    EXPECT_EQ(index.FindSame(*Header("b.h", 1, 1, 2)), 1);
    EXPECT_EQ(index.FindSame(*Header("a.h", 1, 1, 2)), 0);
}

// Retiring a set of instances at once leaves the index as retiring them one
// by one does: the others are still found, first instances of the retired
// ones are forgotten, and each retired one gives its units once.
TEST(FileIndex, RetiringManyAtOnceIsRetiringEachInTurn)
{
    const auto filled = [](CFileIndex& index) {
        index.Add(Header("a.h", 1, 1, 3), {}, PathAndTokensWideDigest("a.h", {}));
        index.Add(Header("a.h", 1, 1, 4));
        index.Add(Header("b.h", 1, 1, 2));
        index.Add(Header("a.h", 1, 1, 5));
        for (auto& file : index.files) {
            file->parsed = true;
        }
        index.OfferFirst(0, index.NextReadingStamp());
        index.OfferFirst(2, index.NextReadingStamp());
    };
    CFileIndex each;
    CFileIndex all;
    filled(each);
    filled(all);
    each.Retire(0);
    each.Retire(3);
    all.Retire(std::vector<bool> {true, false, false, true});
    for (CFileIndex* index : {&each, &all}) {
        SCOPED_TRACE(index == &each ? "one by one" : "at once");
        EXPECT_EQ(index->FindSame(*Header("a.h", 1, 1, 3)), -1);
        EXPECT_EQ(index->FindSame(*Header("a.h", 1, 1, 4)), 1);
        EXPECT_EQ(index->FindSame(*Header("a.h", 1, 1, 5)), -1);
        EXPECT_EQ(index->FindSame(*Header("b.h", 1, 1, 2)), 2);
        EXPECT_EQ(index->FirstIndex("a.h", 1, 1), -1);
        EXPECT_EQ(index->FirstIndex("b.h", 1, 1), 2);
        EXPECT_EQ(index->ParsedTokenDigests().size(), 1u);
        EXPECT_EQ(index->TakeRetiredTwin(*Header("a.h", 1, 1, 4)), -1); // not retired
        EXPECT_EQ(index->TakeRetiredTwin(*Header("a.h", 1, 1, 5)), 3);
        EXPECT_EQ(index->TakeRetiredTwin(*Header("a.h", 1, 1, 3)), 0);
        EXPECT_EQ(index->TakeRetiredTwin(*Header("a.h", 1, 1, 3)), -1);
    }
    EXPECT_EQ(each.entries.at(IdentityOf("a.h", 1, 1)), all.entries.at(IdentityOf("a.h", 1, 1)));
}

// The readings that need not be parsed are those of the tokens of a parsed
// instance that is retired or still filed: a withdrawn or unparsed one
// gives no units.
TEST(FileIndex, ParsedTokenDigestsAreThoseOfParsedInstancesStillOffered)
{
    const auto digest = [](const std::string& path, int tokens) {
        return PathAndTokensWideDigest(path, Header(path, 1, 1, tokens)->scan.tokens);
    };
    CFileIndex index;
    index.Add(Header("live.h", 1, 1, 1), {}, digest("live.h", 1));
    index.Add(Header("retired.h", 1, 1, 2), {}, digest("retired.h", 2));
    index.Add(Header("withdrawn.h", 1, 1, 3), {}, digest("withdrawn.h", 3));
    index.Add(Header("unparsed.h", 1, 1, 4), {}, digest("unparsed.h", 4));
    for (int k = 0; k < 3; ++k) {
        index.files[k]->parsed = true;
    }
    index.Retire(1);
    index.UpdateEntry(2);
    std::vector<uint64_t> digests = index.ParsedTokenDigests();
    std::sort(digests.begin(), digests.end());
    std::vector<uint64_t> expected = {digest("live.h", 1).first, digest("retired.h", 2).first};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(digests, expected);
}

// Readings with one reading digest are found as one instance, whatever
// numbers their includes had; a reading of the same body through another
// instance of an included header is another instance, and another digest.
TEST(FileIndex, ReadingsOfOneReadingDigestAreFoundAsOneInstance)
{
    auto b = [](int tokens) { return Header("inc/b.h", 20, 200, tokens); };
    auto a = [](int32_t include) {
        auto file = Header("inc/a.h", 10, 100, 3);
        file->includes = {include};
        return file;
    };
    auto reading = [](const CSourceFile& file, std::vector<WideDigest> includes) {
        return ReadingDigest(BodyDigest(file), file.size, file.mtime, includes);
    };
    CFileIndex index;
    const WideDigest narrowB = reading(*b(1), {});
    const WideDigest wideB = reading(*b(2), {});
    index.Add(b(1));
    index.Add(b(2));
    const WideDigest aThroughNarrow = reading(*a(0), {narrowB});
    index.Add(a(0));

    EXPECT_EQ(index.FindSame(*a(0), BodyDigest(*a(0))), 2);
    EXPECT_EQ(reading(*a(0), {narrowB}), aThroughNarrow);
    EXPECT_EQ(index.FindSame(*a(1), BodyDigest(*a(1))), -1);
    EXPECT_NE(reading(*a(1), {wideB}), aThroughNarrow);
    EXPECT_NE(narrowB, wideB);

    auto later = a(0);
    later->mtime = 101;
    EXPECT_NE(reading(*later, {narrowB}), aThroughNarrow);
    EXPECT_FALSE(ReadingDigest(WideDigest {}, 10, 100, {}).Known());
    EXPECT_FALSE(reading(*a(0), {WideDigest {}}).Known());
}
