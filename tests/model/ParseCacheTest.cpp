#include "ByteDigest.h"
#include "CacheFixture.h"
#include "CacheRecordEncoder.h"
#include "CacheRecordReader.h"
#include "CacheUnitSkipper.h"
#include "IncludedFile.h"
#include "ParseCacheFormat.h"
#include "ParseCacheReader.h"
#include "ParseCacheWriter.h"
#include "ProjectFile.h"
#include "TokenType.h"
#include "UnitDetail.h"
#include "UnitKind.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <random>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

bool Load(CacheRecords& records, const std::string& bytes)
{
    CapturedOutput quiet;
    CParseCacheReader reader(records.projects, records.index, nullptr);
    return reader.LoadBytes(bytes);
}

int32_t IntAt(const std::string& bytes, size_t offset)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        v = (v << 8) | static_cast<unsigned char>(bytes[offset + static_cast<size_t>(i)]);
    }
    return static_cast<int32_t>(v);
}

bool IsEmpty(const CacheRecords& records)
{
    return records.projects.empty() && records.index.files.empty() && records.index.entries.empty();
}

// Whether loading the bytes fails and leaves the records untouched.
bool RefusedWhole(const std::string& bytes)
{
    CacheRecords target;
    return !Load(target, bytes) && IsEmpty(target);
}

// Points the temporary folder (TEMP) elsewhere while it lives.
class TempVariable {
public:
    explicit TempVariable(const std::string& value)
    {
        if (const char* old = std::getenv("TEMP")) {
            old_ = old;
            hadOld_ = true;
        }
        setenv("TEMP", value.c_str(), 1);
    }
    ~TempVariable()
    {
        if (hadOld_) {
            setenv("TEMP", old_.c_str(), 1);
        } else {
            unsetenv("TEMP");
        }
    }

private:
    std::string old_;
    bool hadOld_ = false;
};

// A folder to save in and the records of FillCacheRecords.
class ParseCache : public ::testing::Test {
protected:
    ParseCache() { FillCacheRecords(original); }

    // Saves the records into the folder and gives the bytes written.
    std::string Save(const CacheRecords& records, const std::string& name = "cache.car")
    {
        CParseCacheWriter writer(records.projects, records.index);
        EXPECT_TRUE(writer.Save(folder.File(name)));
        return ReadFileBytes(folder.File(name));
    }

    TempFolder folder;
    CacheRecords original;
};

} // namespace

TEST_F(ParseCache, EmptyEngineGivesTwelveBytes)
{
    CacheRecords none;
    const std::string bytes = Save(none);
    ASSERT_EQ(bytes.size(), 12u);
    EXPECT_EQ(IntAt(bytes, 0), kParseCacheVersion);
    EXPECT_EQ(IntAt(bytes, 4), 0);
    EXPECT_EQ(IntAt(bytes, 8), 0);
}

TEST_F(ParseCache, SaveLoadSaveGivesTheSameBytes)
{
    const std::string first = Save(original, "one.car");
    EXPECT_EQ(IntAt(first, 4), 2);
    EXPECT_EQ(IntAt(first, 8), 2);

    CacheRecords loaded;
    ASSERT_TRUE(Load(loaded, first));
    const std::string second = Save(loaded, "two.car");
    EXPECT_EQ(first, second);
}

// Gives the first project file and the first header megabytes of tokens.
// Gives the first project file and the first header megabytes of tokens,
// and the first project file a long list of units (its own, many times).
void MakeFirstRecordsLarge(CacheRecords& records)
{
    for (CSourceFile* file : {records.projects[0].get(), records.index.files[0].get()}) {
        for (int k = 0; k < 150000; ++k) {
            file->scan.tokens.emplace_back(k, IDENTIFIER, ("name" + std::to_string(k)).c_str());
        }
        for (size_t length : {31, 32, 33, 100, 5000}) {
            file->scan.tokens.emplace_back(7, STRINGS, std::string(length, 'x').c_str());
        }
        file->scan.tokens.emplace_back(8, IDENTIFIER, "last");
    }
    std::vector<CUnit>& units = records.projects[0]->units;
    const std::vector<CUnit> once = units;
    for (int copy = 0; copy < 400; ++copy) {
        units.insert(units.end(), once.begin(), once.end());
    }
}

TEST_F(ParseCache, RecordsLargerThanTheWriteBufferGiveTheSameBytes)
{
    // Records of megabytes between small ones: they are written out in
    // pieces, and the lengths in front of them are filled in afterwards;
    // they are read on several threads, large ones in two parts at once.
    MakeFirstRecordsLarge(original);
    CCacheSink expected;
    expected.WriteInt(kParseCacheVersion);
    expected.WriteInt(2);
    expected.WriteInt(2);
    for (const CSourceFile* file : {original.projects[0].get(), original.projects[1].get(),
             original.index.files[0].get(), original.index.files[1].get()}) {
        CCacheSink record;
        CParseCacheWriter::WriteSourceFile(record, *file);
        expected.WriteSize(static_cast<uint32_t>(record.Held()));
        expected.WriteChars(record.Data(), record.Held());
    }
    const std::string saved = Save(original, "one.car");
    ASSERT_GT(saved.size(), size_t {6} << 20);
    EXPECT_TRUE(saved == expected.Bytes());

    CacheRecords loaded;
    ASSERT_TRUE(Load(loaded, saved));
    EXPECT_TRUE(Save(loaded, "two.car") == saved);
    const std::vector<PPToken>& before = original.projects[0]->scan.tokens;
    const std::vector<PPToken>& after = loaded.projects[0]->scan.tokens;
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i) {
        ASSERT_STREQ(after[i].text ? after[i].text : "", before[i].text ? before[i].text : "") << i;
    }
}

// The bytes of writing each record in turn behind its length.
std::string RecordsInTurn(const CacheRecords& records)
{
    CCacheSink expected;
    expected.WriteInt(kParseCacheVersion);
    expected.WriteInt(static_cast<int32_t>(records.projects.size()));
    expected.WriteInt(static_cast<int32_t>(records.index.files.size()));
    std::vector<const CSourceFile*> files;
    for (const auto& file : records.projects)
        files.push_back(file.get());
    for (const auto& file : records.index.files)
        files.push_back(file.get());
    for (const CSourceFile* file : files) {
        CCacheSink record;
        CParseCacheWriter::WriteSourceFile(record, *file);
        expected.WriteSize(static_cast<uint32_t>(record.Held()));
        expected.WriteChars(record.Data(), record.Held());
    }
    return expected.Bytes();
}

TEST_F(ParseCache, RecordsEncodedAheadGiveTheBytesAndTheDigestOfWritingThemInTurn)
{
    // Hundreds of records, enough tokens for the encoding to go to several
    // threads, a few large enough to go to the file as they were encoded;
    // then also one record streamed between them, whose length is filled
    // in after its start has gone to the file.
    CacheRecords many;
    for (int copy = 0; copy < 150; ++copy) {
        CacheRecords two;
        FillCacheRecords(two);
        for (auto& file : two.projects) {
            file->path += std::to_string(copy);
            for (int k = 0; k < (copy % 40 == 1 ? 20000 : 1000) + copy; ++k)
                file->scan.tokens.emplace_back(k, IDENTIFIER, ("t" + std::to_string(k)).c_str());
            many.projects.push_back(std::move(file));
        }
        if (copy == 0) {
            for (auto& header : two.index.files)
                many.index.Add(std::move(header));
        }
    }
    for (const bool streamed : {false, true}) {
        if (streamed) {
            auto& tokens = many.projects[77]->scan.tokens;
            while (tokens.size() <= CacheRecordEncoder::kMostTokensAhead)
                tokens.emplace_back(9, IDENTIFIER, "a_longer_name_for_megabytes");
        }
        const std::string path = folder.File("many.car");
        CParseCacheWriter writer(many.projects, many.index);
        ASSERT_TRUE(writer.Save(path));
        const std::string saved = ReadFileBytes(path);
        EXPECT_TRUE(saved == RecordsInTurn(many)) << streamed;
        EXPECT_EQ(writer.Digest(), DigestOfBytes(saved.data(), saved.size())) << streamed;
        CacheRecords loaded;
        ASSERT_TRUE(Load(loaded, saved));
        EXPECT_EQ(loaded.projects[299]->path, many.projects[299]->path);
    }
}

// Room is set aside for a cache before it is written, from an estimate of
// its bytes; a cache of tokens much shorter than the estimate has it keeps
// none of that room past its end.
TEST_F(ParseCache, ASavedCacheKeepsNoRoomPastItsEnd)
{
    CacheRecords short_;
    FillCacheRecords(short_);
    for (int k = 0; k < 200000; ++k)
        short_.projects.front()->scan.tokens.emplace_back(k, IDENTIFIER, "x");
    const std::string path = folder.File("short.car");
    CParseCacheWriter writer(short_.projects, short_.index);
    ASSERT_TRUE(writer.Save(path));
    const std::string saved = ReadFileBytes(path);
    EXPECT_TRUE(saved == RecordsInTurn(short_));
    struct stat status { };
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_LE(static_cast<size_t>(status.st_blocks) * 512, saved.size() + (size_t {64} << 10));
}

// Records encoded ahead are taken in runs as the cache holds them, each
// with its length in front, whether a worker or the taker encoded them, in
// new room or in room given back; small records go together, up to about
// a run's bytes; a record of too many tokens is left to be streamed, and
// no run reaches over it.
TEST_F(ParseCache, RecordsEncodedAheadComeWithTheirLength)
{
    CacheRecords many;
    for (int copy = 0; copy < 40; ++copy) {
        CacheRecords two;
        FillCacheRecords(two);
        for (auto& file : two.projects) {
            file->path += std::to_string(copy);
            for (int k = 0; k < (copy % 3 == 0 ? 6000 : 1000) + copy; ++k)
                file->scan.tokens.emplace_back(k, IDENTIFIER, "name");
            many.projects.push_back(std::move(file));
        }
    }
    auto& huge = many.projects[5]->scan.tokens;
    while (huge.size() <= CacheRecordEncoder::kMostTokensAhead)
        huge.emplace_back(1, IDENTIFIER, "x");
    std::vector<const CSourceFile*> files;
    for (const auto& file : many.projects)
        files.push_back(file.get());
    files.push_back(nullptr);
    CacheRecordEncoder ahead(files);
    size_t runs = 0;
    for (size_t i = 0; i < files.size();) {
        std::optional<CacheRecordEncoder::Run> taken = ahead.Take(i);
        if (i == 5) {
            EXPECT_FALSE(taken.has_value());
            ++i;
            continue;
        }
        ASSERT_TRUE(taken.has_value()) << i;
        ASSERT_GE(taken->count, 1u) << i;
        ASSERT_LE(i + taken->count, files.size()) << i;
        EXPECT_TRUE(i >= 5 || i + taken->count <= 5) << i;
        CCacheSink expected;
        for (size_t k = i; k < i + taken->count; ++k) {
            CCacheSink record;
            if (files[k] != nullptr)
                CParseCacheWriter::WriteSourceFile(record, *files[k]);
            expected.WriteSize(static_cast<uint32_t>(record.Held()));
            expected.WriteChars(record.Data(), record.Held());
        }
        ASSERT_EQ(taken->bytes.size, expected.Held()) << i;
        EXPECT_EQ(std::string(taken->bytes.bytes.get(), taken->bytes.size), expected.Bytes()) << i;
        i += taken->count;
        ++runs;
        // Room given back is filled again by records of other sizes.
        ahead.GiveBack(std::move(taken->bytes));
    }
    // Small records went together, but not all of them at once.
    EXPECT_LT(runs, files.size() / 2);
    EXPECT_GT(runs, 2u);
}

// The pages of the records read go back to the system while the records
// after them are still read: none may be one still wanted.
TEST_F(ParseCache, LargeCacheFileLoadsAsItsBytesDo)
{
    for (int f = 0; f < 64; ++f) {
        auto file = std::make_unique<CProjectFile>(nullptr);
        file->path = "many" + std::to_string(f) + ".cpp";
        for (int k = 0; k < 20000; ++k) {
            file->scan.tokens.emplace_back(k, IDENTIFIER, ("n" + std::to_string(f * k)).c_str());
        }
        original.projects.push_back(std::move(file));
    }
    const std::string saved = Save(original, "one.car");
    ASSERT_GT(saved.size(), size_t {16} << 20);

    CacheRecords loaded;
    {
        CapturedOutput quiet;
        CParseCacheReader reader(loaded.projects, loaded.index, nullptr);
        ASSERT_TRUE(reader.Load(folder.File("one.car"))) << reader.Failure();
    }
    EXPECT_TRUE(Save(loaded, "two.car") == saved);
}

// One record of many MB (a huge source file) gives the pages of its tokens
// and units back while they are read: what comes back is still every byte.
TEST_F(ParseCache, AHugeRecordLoadsWholeWhileItsReadBytesGo)
{
    auto file = std::make_unique<CProjectFile>(nullptr);
    file->path = "huge.cpp";
    constexpr int kTokens = 600000;
    for (int k = 0; k < kTokens; ++k) {
        file->scan.tokens.emplace_back(k, IDENTIFIER, ("name" + std::to_string(k)).c_str());
    }
    for (int k = 0; k + 2 < kTokens; k += 3) {
        CUnit& unit = file->units.emplace_back(&file->scan.tokens);
        unit.tokenIndices = {k, k + 2}; // not a run: a stored list
        unit.first = k;
        unit.last = k + 2;
        unit.kind = UNIT_VARIABLE;
    }
    // Two names of one long definition: the second is found by the bytes
    // of the first, which its reading gave back.
    CMacroDef longMacro;
    for (int k = 0; k < 3000; ++k) {
        longMacro.body.emplace_back(1, IDENTIFIER, ("part" + std::to_string(k)).c_str());
    }
    file->macros["LONG1"] = SharedMacro(longMacro);
    file->macros["LONG2"] = SharedMacro(longMacro);
    original.projects.push_back(std::move(file));
    const std::string saved = Save(original, "huge.car");
    ASSERT_GT(saved.size(), 4 * CCacheRecordReader::kReleaseStep);

    CacheRecords loaded;
    {
        CapturedOutput quiet;
        CParseCacheReader reader(loaded.projects, loaded.index, nullptr);
        ASSERT_TRUE(reader.Load(folder.File("huge.car"))) << reader.Failure();
    }
    EXPECT_TRUE(Save(loaded, "again.car") == saved);
    const auto& macros = loaded.projects.back()->macros;
    EXPECT_TRUE(macros.at("LONG1").SameDefinition(macros.at("LONG2")));
}

// Tables read back hold one definition for all records of the same bytes,
// whichever thread read them, and one of their own for any other.
TEST_F(ParseCache, LoadedTablesShareIdenticalDefinitions)
{
    MakeFirstRecordsLarge(original);
    const SharedMacro one = original.projects[0]->macros.at("X");
    original.projects[0]->macros["Y"] = SharedMacro(*one); // alike, made apart
    CMacroDef two = *one;
    two.body[0].SetText("2");
    original.projects[1]->macros["X"] = SharedMacro(std::move(two));
    CMacroDef function = *one;
    function.functionLike = true;
    original.projects[1]->macros["G"] = SharedMacro(std::move(function));
    const std::string saved = Save(original);

    CacheRecords loaded;
    ASSERT_TRUE(Load(loaded, saved));
    ASSERT_EQ(loaded.projects.size(), 2u);
    ASSERT_EQ(loaded.index.files.size(), 2u);
    const auto& first = loaded.projects[0]->macros;
    const auto& second = loaded.projects[1]->macros;
    for (const auto& file : loaded.index.files) {
        EXPECT_TRUE(file->macros.at("F").SameDefinition(first.at("F"))) << file->path;
        EXPECT_TRUE(file->macros.at("F").SameDefinition(second.at("F"))) << file->path;
        EXPECT_TRUE(file->macros.at("X").SameDefinition(first.at("X"))) << file->path;
    }
    EXPECT_TRUE(first.at("Y").SameDefinition(first.at("X")));
    EXPECT_FALSE(second.at("X").SameDefinition(first.at("X")));
    EXPECT_STREQ(second.at("X")->body[0].text, "2");
    EXPECT_FALSE(second.at("G").SameDefinition(first.at("X")));
    EXPECT_TRUE(second.at("G")->functionLike);
    EXPECT_FALSE(first.at("X")->functionLike);
    EXPECT_TRUE(Save(loaded, "again.car") == saved);
}

// The bytes a save keeps with a definition belong to that definition: a
// table given another one under the same name writes the other's.
TEST_F(ParseCache, ADefinitionReplacedAfterASaveIsWrittenAsItIsNow)
{
    SharedMacro shared = original.projects[0]->macros.at("X");
    original.projects[1]->macros["X"] = shared;
    Save(original, "first.car");
    CMacroDef other = *shared;
    other.body[0].SetText("5");
    original.projects[1]->macros["X"] = SharedMacro(std::move(other));

    CacheRecords loaded;
    ASSERT_TRUE(Load(loaded, Save(original, "second.car")));
    EXPECT_STREQ(loaded.projects[0]->macros.at("X")->body[0].text, "1");
    EXPECT_STREQ(loaded.projects[1]->macros.at("X")->body[0].text, "5");
}

// A large cache is read on several threads, yet a damaged one is refused
// whole, for the first damage in file order, after the paths of the records
// before it were told.
TEST_F(ParseCache, ReadingOnSeveralThreadsFailsAsReadingInOrder)
{
    MakeFirstRecordsLarge(original);
    const std::string saved = Save(original);
    std::vector<size_t> starts; // of each record's bytes, behind its length
    for (size_t at = 12; at < saved.size(); at += 4 + static_cast<uint32_t>(IntAt(saved, at))) {
        starts.push_back(at + 4);
    }
    ASSERT_EQ(starts.size(), 4u);
    auto pathAt = [&](size_t record) { return starts[record]; };
    auto includesAt = [&](size_t record) {
        return starts[record] + 4 + static_cast<uint32_t>(IntAt(saved, starts[record]));
    };
    const std::string paths[] = {original.projects[0]->path, original.projects[1]->path,
        original.index.files[0]->path, original.index.files[1]->path};
    // Where the first record's unit list starts (its count), where its first
    // unit's first token position is, and where its last unit starts.
    CSourceFile& first = *original.projects[0];
    std::vector<CUnit> units = std::move(first.units);
    first.units.clear();
    CCacheSink withoutUnits;
    CParseCacheWriter::WriteSourceFile(withoutUnits, first);
    first.units.push_back(units.back());
    CCacheSink withLastUnit;
    CParseCacheWriter::WriteSourceFile(withLastUnit, first);
    first.units = std::move(units);
    const size_t unitsAt0 = starts[0] + withoutUnits.Held() - 4;
    ASSERT_FALSE(first.units.front().tokenIndices.empty());
    const size_t firstPositionAt0 = unitsAt0 + 4 + 6 + 4;
    const size_t lastUnitAt0 = starts[1] - 4 - (withLastUnit.Held() - withoutUnits.Held());
    // The text length of the first record's last token ("last").
    const size_t tokenLengthAt0 = unitsAt0 - 4 - 4;

    struct Case {
        const char* what;
        std::vector<size_t> damaged; // words set to 2^30
        std::vector<size_t> badBools; // bytes set to 7
        std::string failure;
        std::vector<std::string> told;
    };
    const Case cases[] = {
        {"two damaged records: the first one counts", {includesAt(3), pathAt(1)}, {},
            "Read Character Error.", {paths[0]}},
        {"the last record damaged after its path", {includesAt(3)}, {}, "Read size_t Error.",
            {paths[0], paths[1], paths[2], paths[3]}},
        {"the unit list of a large record, read beside its tokens", {unitsAt0}, {},
            "Read size_t Error.", {paths[0]}},
        {"the last unit of a long list, read in runs", {}, {lastUnitAt0}, "Read Bool Error.",
            {paths[0]}},
        {"the first and the last unit: the first one counts", {firstPositionAt0}, {lastUnitAt0},
            "error", {paths[0]}},
        {"a token of a large record", {tokenLengthAt0}, {}, "Read Character Error.", {paths[0]}},
    };
    for (const Case& c : cases) {
        std::string bytes = saved;
        for (size_t at : c.damaged) {
            for (size_t i = 0; i < 4; ++i) {
                bytes[at + i] = static_cast<char>(((1u << 30) >> (8 * i)) & 0xFF);
            }
        }
        for (size_t at : c.badBools) {
            bytes[at] = 7;
        }
        CacheRecords target;
        std::ostringstream told;
        StreamSink sink(told);
        CParseCacheReader reader(target.projects, target.index, nullptr, sink);
        EXPECT_FALSE(reader.LoadBytes(bytes)) << c.what;
        EXPECT_TRUE(IsEmpty(target)) << c.what;
        EXPECT_EQ(reader.Failure(), c.failure) << c.what;
        std::string expected;
        for (const std::string& path : c.told) {
            expected += path + "\n";
        }
        EXPECT_EQ(told.str(), expected) << c.what;
    }
    // Cut short inside the large records and between records.
    for (size_t cut : {starts[0] + 100, starts[0] + (starts[1] - starts[0]) / 2, starts[1] - 3,
             starts[2] + (starts[3] - starts[2]) * 3 / 4, saved.size() - 1}) {
        EXPECT_TRUE(RefusedWhole(saved.substr(0, cut))) << "cut at " << cut;
    }
}

// A macro table is written in name order; one that is not (another
// writer's) still reads whole, a later record of one name winning.
TEST_F(ParseCache, AMacroTableOutOfOrderReadsAsWritten)
{
    const auto load = [](const std::vector<std::pair<std::string, std::string>>& table) {
        CCacheSink record;
        record.WriteString("/src/m.c");
        record.WriteSize(0); // includes
        for (int flag = 0; flag < 3; ++flag)
            record.WriteBool(false);
        record.WriteInt(0); // index number
        record.WriteInt(10); // size
        record.WriteInt(20); // time
        record.WriteBool(false); // no digest of the bytes
        record.WriteInt(0);
        record.WriteInt(0);
        record.WriteSize(static_cast<uint32_t>(table.size()));
        for (const auto& [name, value] : table) {
            record.WriteString(name);
            record.WriteBool(false);
            record.WriteSize(0); // parameters
            record.WriteSize(1); // one body token
            record.WriteInt(1);
            record.WriteInt(IDENTIFIER);
            record.WriteString(value);
        }
        record.WriteSize(0); // tokens
        record.WriteSize(0); // units
        CCacheSink cache;
        cache.WriteInt(kParseCacheVersion);
        cache.WriteInt(1);
        cache.WriteInt(0);
        cache.WriteSize(static_cast<uint32_t>(record.Held()));
        cache.WriteChars(record.Data(), record.Held());
        CacheRecords target;
        EXPECT_TRUE(Load(target, cache.Bytes()));
        std::string read;
        if (!target.projects.empty()) {
            for (const auto& [name, macro] : target.projects[0]->macros)
                read += name + "=" + (macro->body.empty() ? "" : macro->body[0].text) + " ";
        }
        return read;
    };
    EXPECT_EQ(load({{"A", "1"}, {"B", "2"}, {"C", "3"}}), "A=1 B=2 C=3 ");
    EXPECT_EQ(load({{"B", "1"}, {"A", "2"}, {"C", "3"}}), "A=2 B=1 C=3 ");
    EXPECT_EQ(load({{"B", "1"}, {"C", "2"}, {"B", "3"}}), "B=3 C=2 ");
    EXPECT_EQ(load({{"A", "1"}, {"A", "2"}}), "A=2 ");
}

// Stepping over the stored units of every kind (to read a long list in
// runs) lands exactly where reading them ends.
TEST_F(ParseCache, SteppingOverUnitsLandsWhereTheirBytesEnd)
{
    std::vector<CSourceFile*> files;
    for (auto& file : original.projects) {
        files.push_back(file.get());
    }
    for (auto& file : original.index.files) {
        files.push_back(file.get());
    }
    for (CSourceFile* file : files) {
        CCacheSink whole;
        CParseCacheWriter::WriteSourceFile(whole, *file);
        std::vector<CUnit> units = std::move(file->units);
        file->units.clear();
        CCacheSink withoutUnits;
        CParseCacheWriter::WriteSourceFile(withoutUnits, *file);
        file->units = std::move(units);
        const size_t listAt = withoutUnits.Held() - 4;
        CCacheSource in(whole.Data() + listAt, whole.Held() - listAt);
        for (uint32_t n = in.ReadSize(); n > 0; --n) {
            CacheUnitSkipper::SkipUnit(in);
        }
        EXPECT_TRUE(in.AtEnd()) << file->path;
    }
}

TEST_F(ParseCache, RecordsComeBackWithTheirFields)
{
    CacheRecords loaded;
    ASSERT_TRUE(Load(loaded, Save(original)));
    ASSERT_EQ(loaded.projects.size(), 2u);
    ASSERT_EQ(loaded.index.files.size(), 2u);

    const CSourceFile& a = *loaded.projects[0];
    EXPECT_EQ(a.path, "/src/a.cpp");
    EXPECT_EQ(a.includes, (std::vector<int32_t> {0, 1}));
    EXPECT_TRUE(a.hasIndexNumber);
    EXPECT_EQ(a.indexNumber, 1);
    EXPECT_EQ(a.size, 1000);
    EXPECT_EQ(a.macros.at("F")->parameters, (std::vector<std::string> {"a", "b"}));
    EXPECT_EQ(a.macros.at("F")->body[1].text, nullptr);
    EXPECT_EQ(a.scan.tokens.back().text, nullptr); // an empty text comes back as none
    EXPECT_FALSE(loaded.projects[1]->hasIndexNumber);
    EXPECT_EQ(loaded.projects[1]->indexNumber, 0);

    // Headers are filed under their identity again, and come back as quoted.
    EXPECT_TRUE(loaded.index.Contains("/INC/b.h", 1003, 1700000003));
    EXPECT_TRUE(static_cast<const CIncludedFile&>(*loaded.index.files[1]).quoted);

    const CUnit& cls = a.units[0];
    EXPECT_EQ(cls.tokens, &a.scan.tokens);
    EXPECT_EQ(cls.children[0].tokens, &a.scan.tokens);
    const CClassInfo* classInfo = AsClassInfo(cls);
    ASSERT_NE(classInfo, nullptr);
    ASSERT_EQ(classInfo->bases.size(), 1u);
    EXPECT_EQ(classInfo->bases[0].qualifiedName.ToString(), "::N::B");
    EXPECT_TRUE(classInfo->bases[0].isVirtual);
    const CVariableInfo* x = AsVariableInfo(cls.children[0]);
    ASSERT_NE(x, nullptr);
    ASSERT_EQ(x->further.size(), 1u);
    ASSERT_EQ(x->further[0].further.size(), 1u);
    EXPECT_EQ(x->further[0].further[0].qualifiedName.name, "z");
    // A multiple-declare unit's record is not kept.
    EXPECT_EQ(cls.children[1].detail, nullptr);

    const CFunctionInfo* f = AsFunctionInfo(a.units[1]);
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->pure);
    EXPECT_EQ(f->parameters.size(), 2u);
    EXPECT_EQ(f->ctorInitTokens, (TokenIndices {2, 3}));
    const CForInfo* forInfo = AsForInfo(a.units[1].children[1]);
    ASSERT_NE(forInfo, nullptr);
    EXPECT_EQ(forInfo->stepTokens, (TokenIndices {3, 4}));
    EXPECT_EQ(AsTextInfo(a.units[1].children[2])->text, "end");
    EXPECT_EQ(a.units[1].children[4].detail, nullptr); // do: no record
    EXPECT_EQ(a.units[8].first, -1);
    EXPECT_EQ(a.units[9].detail, nullptr); // a record of the wrong type is not written
}

TEST_F(ParseCache, TruncatedAtEveryOffsetLoadsNothing)
{
    const std::string bytes = Save(original);
    for (size_t length = 0; length < bytes.size(); ++length) {
        ASSERT_TRUE(RefusedWhole(bytes.substr(0, length))) << length;
    }
    EXPECT_TRUE(RefusedWhole(bytes + "x"));
}

TEST_F(ParseCache, RandomDamageNeverHalfLoads)
{
    const std::string bytes = Save(original);
    std::mt19937 random(20240611);
    int loadedWhole = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string damaged = bytes;
        const int flips = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < flips; ++i) {
            const size_t at = 12 + random() % (damaged.size() - 12);
            damaged[at] = static_cast<char>(random() & 0xFF);
        }
        CacheRecords target;
        if (Load(target, damaged)) {
            ++loadedWhole;
            // Whatever was accepted is consistent enough to be saved again.
            EXPECT_EQ(target.projects.size(), 2u);
            CParseCacheWriter writer(target.projects, target.index);
            EXPECT_TRUE(writer.Save(folder.File("again.car")));
        } else {
            ASSERT_TRUE(IsEmpty(target));
        }
    }
    EXPECT_LT(loadedWhole, 3000); // most damage is noticed
}

TEST_F(ParseCache, WrongVersionLeavesTheEngineAsItWas)
{
    std::string bytes = Save(original);
    bytes[0] = (char)179;
    CacheRecords target;
    FillCacheRecords(target);
    EXPECT_FALSE(Load(target, bytes));
    EXPECT_EQ(target.projects.size(), 2u);
    EXPECT_EQ(target.index.files.size(), 2u);

    CapturedOutput quiet;
    CParseCacheReader reader(target.projects, target.index, nullptr);
    EXPECT_FALSE(reader.LoadBytes(bytes));
    EXPECT_EQ(reader.Failure(), "version not match");
    EXPECT_FALSE(reader.LoadBytes(Save(original).substr(0, 9)));
    EXPECT_EQ(reader.Failure(), "Read Integer Error.");
    EXPECT_FALSE(reader.Load(folder.File("missing.car")));
    EXPECT_FALSE(reader.Failure().empty());
    EXPECT_FALSE(reader.Load(folder.Path())); // a folder is no cache
}

TEST_F(ParseCache, AStopRequestRefusesTheLoadAndLeavesTheEngineAsItWas)
{
    const std::string bytes = Save(original);
    std::atomic<bool> stop {true};
    CapturedOutput quiet;
    CacheRecords target;
    FillCacheRecords(target);
    CParseCacheReader reader(target.projects, target.index, nullptr);
    reader.SetStopRequest(&stop);
    // Stopped while the file is read, and while records already in memory are.
    EXPECT_FALSE(reader.Load(folder.File("cache.car")));
    EXPECT_TRUE(reader.Stopped());
    EXPECT_FALSE(reader.LoadBytes(bytes));
    EXPECT_TRUE(reader.Stopped());
    EXPECT_EQ(target.projects.size(), 2u);
    EXPECT_EQ(target.index.files.size(), 2u);

    // A damaged cache is refused for its damage, not as stopped.
    stop = false;
    EXPECT_FALSE(reader.LoadBytes(bytes.substr(0, bytes.size() - 1)));
    EXPECT_FALSE(reader.Stopped());
    EXPECT_TRUE(reader.Load(folder.File("cache.car")));
    EXPECT_FALSE(reader.Stopped());
    EXPECT_EQ(target.projects.size(), 4u);
}

TEST_F(ParseCache, LoadingBesideHeldHeadersMovesTheIncludeNumbers)
{
    const std::string bytes = Save(original);
    CacheRecords target;
    FillCacheRecords(target);
    ASSERT_TRUE(Load(target, bytes));
    ASSERT_EQ(target.index.files.size(), 4u);
    EXPECT_EQ(target.projects[2]->includes, (std::vector<int32_t> {2, 3}));
    EXPECT_EQ(target.projects[2]->indexNumber, 3);
    EXPECT_EQ(target.index.files[2]->includes, (std::vector<int32_t> {3, 2}));
}

TEST_F(ParseCache, IncludeNumberPastTheHeadersIsDamage)
{
    original.projects[1]->includes = {2};
    EXPECT_TRUE(RefusedWhole(Save(original)));
}

TEST_F(ParseCache, TokenPositionPastTheTokensIsDamage)
{
    AsFunctionInfo(original.projects[0]->units[1])->parameters[0].typeTokens.push_back(100000);
    EXPECT_TRUE(RefusedWhole(Save(original)));
}

TEST_F(ParseCache, NestingBeyondTheLimitIsRefused)
{
    CacheRecords deep;
    auto file = std::make_unique<CIncludedFile>("/deep.h", nullptr, true);
    CUnit* unit = &file->units.emplace_back(&file->scan.tokens);
    for (int depth = 0; depth < 10001; ++depth) {
        unit = &unit->children.emplace_back(&file->scan.tokens);
    }
    deep.projects.push_back(std::move(file));
    EXPECT_TRUE(RefusedWhole(Save(deep)));
}

TEST_F(ParseCache, SaveWritesBesideTheCacheAndNowhereElse)
{
    TempFolder temp;
    char before[4096];
    ASSERT_NE(getcwd(before, sizeof before), nullptr);
    {
        TempVariable noFolder(temp.File("no/such/folder")); // the temporary folder plays no part
        Save(original, "x.car");
    }
    char after[4096];
    ASSERT_NE(getcwd(after, sizeof after), nullptr);
    EXPECT_STREQ(before, after);
    EXPECT_EQ(folder.Names(), std::vector<std::string> {"x.car"});

    // A cache in a folder that does not exist.
    CParseCacheWriter writer(original.projects, original.index);
    EXPECT_FALSE(writer.Save(folder.File("gone/keep.car")));
    EXPECT_FALSE(std::filesystem::exists(folder.File("gone")));
}

namespace {

size_t OpenDescriptors()
{
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

} // namespace

// The cache a save replaced is handed over open, for its room to be given
// back where the caller likes; when nobody takes it, it goes with the
// writer.
TEST_F(ParseCache, ASaveHandsTheCacheItReplacedOver)
{
    const std::string path = folder.File("x.car");
    CParseCacheWriter first(original.projects, original.index);
    ASSERT_TRUE(first.Save(path));
    EXPECT_EQ(first.TakeReplacedFile(), -1);
    struct stat saved { };
    ASSERT_EQ(::stat(path.c_str(), &saved), 0);

    CParseCacheWriter second(original.projects, original.index);
    ASSERT_TRUE(second.Save(path));
    const int replaced = second.TakeReplacedFile();
    ASSERT_GE(replaced, 0);
    struct stat old { };
    ASSERT_EQ(::fstat(replaced, &old), 0);
    EXPECT_EQ(old.st_ino, saved.st_ino);
    EXPECT_EQ(second.TakeReplacedFile(), -1);
    ::close(replaced);

    const size_t open = OpenDescriptors();
    {
        CParseCacheWriter third(original.projects, original.index);
        ASSERT_TRUE(third.Save(path));
        ASSERT_TRUE(third.Save(path));
    }
    EXPECT_EQ(OpenDescriptors(), open);
}

TEST_F(ParseCache, KilledSavesLeaveNothingTheNextSaveKeeps)
{
    // Records large enough that a save takes a while to write.
    CacheRecords big;
    FillCacheRecords(big);
    std::vector<PPToken>& tokens = big.projects[0]->scan.tokens;
    tokens.reserve(tokens.size() + 3000000);
    for (int k = 0; k < 3000000; ++k) {
        tokens.emplace_back(k, IDENTIFIER, "token");
    }
    TempFolder temp;
    TempVariable inTemp(temp.Path());
    const std::string path = folder.File("x.car");
    for (int attempt = 0; attempt < 3; ++attempt) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            CParseCacheWriter(big.projects, big.index).Save(path);
            _exit(0);
        }
        usleep(static_cast<useconds_t>(20000 + 30000 * attempt));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    const std::string bytes = Save(original, "x.car");
    EXPECT_EQ(folder.Names(), std::vector<std::string> {"x.car"});
    EXPECT_TRUE(std::filesystem::is_empty(temp.Path()));
    CacheRecords loaded;
    EXPECT_TRUE(Load(loaded, bytes));
}

TEST_F(ParseCache, CachePathsThatAreNoPlainFile)
{
    CParseCacheWriter writer(original.projects, original.index);
    CParseCacheReader reader(original.projects, original.index, nullptr);

    // A symbolic link is replaced by the cache: what it named stays as it
    // was, even where it could be written.
    const std::string target = folder.Write("real/target.car", "old");
    const std::string link = folder.File("link.car");
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
    ASSERT_TRUE(writer.Save(link));
    EXPECT_FALSE(std::filesystem::is_symlink(link));
    EXPECT_EQ(IntAt(ReadFileBytes(link), 0), kParseCacheVersion);
    EXPECT_EQ(ReadFileBytes(target), "old");
    const std::string dangling = folder.File("dangling.car");
    ASSERT_EQ(symlink(folder.File("real/new.car").c_str(), dangling.c_str()), 0);
    ASSERT_TRUE(writer.Save(dangling));
    EXPECT_FALSE(std::filesystem::exists(folder.File("real/new.car")));

    // A FIFO is neither replaced nor waited on.
    const std::string pipe = folder.File("pipe.car");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(writer.Save(pipe));
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
    EXPECT_FALSE(reader.Load(pipe));
    EXPECT_EQ(reader.Failure(), "not a regular file");
    EXPECT_FALSE(reader.Load("/dev/null"));
    EXPECT_EQ(reader.Failure(), "not a regular file");

    // A huge file of another kind is refused by its first bytes.
    const std::string huge = folder.File("huge.car");
    const int fd = open(huge.c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    const bool sparse = ftruncate(fd, off_t {64} << 30) == 0;
    close(fd);
    if (sparse) {
        EXPECT_FALSE(reader.Load(huge));
        EXPECT_EQ(reader.Failure(), "version not match");
    }
    EXPECT_EQ(original.projects.size(), 2u); // nothing was added by the refused loads
}
