#include "CacheRecordReader.h"

#include "CacheError.h"
#include "CacheRecordFields.h"
#include "CacheUnitSkipper.h"
#include "LargeStackThread.h"
#include "MacroRecordPool.h"
#include "ParseCacheFormat.h"
#include "UnitDetail.h"

#include <compare>
#include <cstring>
#include <exception>
#include <iterator>
#include <memory>

CCacheRecordReader::CCacheRecordReader(int32_t headerCount, TokenTextStore& texts)
    : headerCount_(headerCount), texts_(texts)
{
}

void CCacheRecordReader::Enter()
{
    if (++depth_ > kMaxCacheNesting) {
        throw CacheError("error");
    }
}

namespace {

// Walks int32 values stored little-endian in a block of bytes, so that a
// vector is filled straight from the block in one allocation and one pass.
class StoredInts {
public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = int;
    using difference_type = std::ptrdiff_t;
    using pointer = const int*;
    using reference = int;

    explicit StoredInts(const char* at) : at_(at) { }
    int operator*() const { return static_cast<int32_t>(CCacheSource::Decode(at_)); }
    int operator[](difference_type n) const { return *(*this + n); }
    StoredInts& operator++()
    {
        at_ += 4;
        return *this;
    }
    StoredInts operator++(int)
    {
        StoredInts was = *this;
        at_ += 4;
        return was;
    }
    StoredInts& operator--()
    {
        at_ -= 4;
        return *this;
    }
    StoredInts operator--(int)
    {
        StoredInts was = *this;
        at_ -= 4;
        return was;
    }
    StoredInts& operator+=(difference_type n)
    {
        at_ += 4 * n;
        return *this;
    }
    StoredInts& operator-=(difference_type n)
    {
        at_ -= 4 * n;
        return *this;
    }
    friend StoredInts operator+(StoredInts i, difference_type n) { return i += n; }
    friend StoredInts operator+(difference_type n, StoredInts i) { return i += n; }
    friend StoredInts operator-(StoredInts i, difference_type n) { return i -= n; }
    friend difference_type operator-(const StoredInts& a, const StoredInts& b)
    {
        return (a.at_ - b.at_) / 4;
    }
    friend auto operator<=>(const StoredInts& a, const StoredInts& b) = default;

private:
    const char* at_;
};

} // namespace

void CCacheRecordReader::ReadIntVector(CCacheSource& in, std::vector<int>& values)
{
    const uint32_t count = in.ReadCount(kMinIntBytes);
    if (count == 0) {
        values.clear();
        return;
    }
    const char* stored = in.ReadChars(size_t {count} * 4);
    values.assign(StoredInts(stored), StoredInts(stored + size_t {count} * 4));
}

void CCacheRecordReader::ReadNumbersBelow(CCacheSource& in, std::vector<int>& values, size_t limit)
{
    ReadIntVector(in, values);
    // A negative number is a huge unsigned one.
    bool outside = false;
    for (int value : values) {
        outside |= static_cast<uint32_t>(value) >= limit;
    }
    if (outside) {
        throw CacheError("error");
    }
}

void CCacheRecordReader::ReadPositions(CCacheSource& in, TokenIndices& positions)
{
    const uint32_t count = in.ReadCount(kMinIntBytes);
    if (count == 0) {
        positions.clear();
        return;
    }
    const char* stored = in.ReadChars(size_t {count} * 4);
    const StoredInts first(stored);
    const StoredInts last(stored + size_t {count} * 4);
    // A negative number is a huge unsigned one.
    bool outside = false;
    for (StoredInts at = first; at != last; ++at) {
        outside |= static_cast<uint32_t>(*at) >= tokenCount_;
    }
    if (outside) {
        throw CacheError("error");
    }
    positions.assign(first, last);
}

void CCacheRecordReader::Released(const char*& from, const char* at, bool whole) const
{
    if (release_ != nullptr && at > from &&
        (whole || static_cast<size_t>(at - from) >= kReleaseStep)) {
        (*release_)(from, at);
        from = at;
    }
}

void CCacheRecordReader::ReadTokens(CCacheSource& in, uint32_t count, std::vector<PPToken>& tokens)
{
    tokens.clear();
    tokens.reserve(count);
    const char* read = in.Position();
    for (uint32_t i = 0; i < count; ++i) {
        if ((i & 0xfff) == 0) {
            Released(read, in.Position(), false);
        }
        const char* head = in.ReadChars(12);
        const auto line = static_cast<int32_t>(CCacheSource::Decode(head));
        const auto type = static_cast<int32_t>(CCacheSource::Decode(head + 4));
        const uint32_t length = CCacheSource::Decode(head + 8);
        const char* text = in.ReadChars(length);
        PPToken& token = tokens.emplace_back();
        token.line = line;
        token.type = type;
        if (length > 0) {
            token.text = texts_.Place(text, strnlen(text, length));
        }
    }
    Released(read, in.Position(), true);
}

void CCacheRecordReader::ReadStrings(CCacheSource& in, std::vector<std::string>& texts)
{
    texts.resize(in.ReadCount(kMinStringBytes));
    for (std::string& text : texts) {
        text = in.ReadString();
    }
}

// Fills the fields of a record as the record description lists them.
struct CCacheRecordReader::FieldReader {
    CCacheRecordReader& reader;
    CCacheSource& in;

    void Flag(bool& value) { value = in.ReadBool(); }
    void Number(int32_t& value) { value = in.ReadInt(); }
    template <class String> void Text(String& text) { text = in.ReadString(); }
    void Texts(std::vector<std::string>& texts) { reader.ReadStrings(in, texts); }
    void Texts(LazyVector<std::string>& texts)
    {
        std::vector<std::string> read;
        reader.ReadStrings(in, read);
        texts = std::move(read);
    }
    void Positions(TokenIndices& positions) { reader.ReadPositions(in, positions); }
    void Unused()
    {
        std::vector<int> unused;
        reader.ReadIntVector(in, unused);
    }
    void Variable(CVariableInfo& variable)
    {
        reader.Enter();
        CacheRecordFields::Declarator(*this, variable);
        reader.Leave();
    }
    template <class List> void Variables(List& variables)
    {
        variables.resize(in.ReadCount(kMinVariableBytes));
        for (CVariableInfo& variable : variables) {
            Variable(variable);
        }
    }
    void Bases(std::vector<CBaseClassInfo>& bases)
    {
        bases.resize(in.ReadCount(kMinBaseBytes));
        for (CBaseClassInfo& base : bases) {
            CacheRecordFields::BaseClass(*this, base);
        }
    }
};

namespace {

// Passes over the record of a macro's form, parameters and body, with the
// same checks, in the same order, as reading it.
void SkipMacro(CCacheSource& in)
{
    in.ReadBool();
    for (uint32_t count = in.ReadCount(kMinStringBytes); count > 0; --count) {
        in.ReadChars(in.ReadSize());
    }
    for (uint32_t count = in.ReadCount(kMinTokenBytes); count > 0; --count) {
        in.ReadChars(CCacheSource::Decode(in.ReadChars(12) + 8));
    }
}

} // namespace

SharedMacro CCacheRecordReader::ReadMacro(CCacheSource& in)
{
    CMacroDef macro;
    macro.functionLike = in.ReadBool();
    ReadStrings(in, macro.parameters);
    ReadTokenVector(in, macro.body);
    return SharedMacro(std::move(macro));
}

SharedMacro CCacheRecordReader::ReadPooledMacro(CCacheSource& in)
{
    // The bytes are hashed before they are read: reading may give the
    // pages of a long body back.
    CCacheSource past = in;
    SkipMacro(past);
    const MacroRecordPool::Hash hash = MacroRecordPool::HashOf(
        std::string_view(in.Position(), static_cast<size_t>(past.Position() - in.Position())));
    SharedMacro macro;
    if (macroPool_->Find(hash, macro)) {
        in = past;
        return macro;
    }
    return macroPool_->Keep(hash, ReadMacro(in));
}

void CCacheRecordReader::ReadMacroTable(CCacheSource& in, CSourceFile& file)
{
    const uint32_t count = in.ReadCount(kMinMacroBytes);
    for (uint32_t i = 0; i < count; ++i) {
        std::string name = in.ReadString();
        SharedMacro macro = macroPool_ != nullptr ? ReadPooledMacro(in) : ReadMacro(in);
        // A table is written in name order: each name goes after the last
        // one without a search. Out of order, a later record of one name
        // wins.
        if (file.macros.empty() || file.macros.rbegin()->first < name) {
            file.macros.emplace_hint(file.macros.end(), std::move(name), std::move(macro));
        } else {
            file.macros[name] = std::move(macro);
        }
    }
}

namespace {

// A new record of the given type, handed to the unit, to be filled.
template <class Record> Record& NewDetail(CUnit& unit)
{
    auto record = std::make_unique<Record>();
    Record& made = *record;
    unit.SetDetail(std::move(record));
    return made;
}

} // namespace

// Kept out of line, so that the recursion through the unit tree stays
// small on the stack.
[[gnu::noinline]] void CCacheRecordReader::ReadDetail(CCacheSource& in, CUnit& unit)
{
    if (!in.ReadBool()) {
        return;
    }
    // Kinds without a record: nothing follows.
    CacheRecordFields::WithLayoutOf(unit.kind, [&](auto layout) {
        using Layout = decltype(layout);
        FieldReader fields {*this, in};
        Layout::Fields(fields, NewDetail<typename Layout::Record>(unit));
    });
}

void CCacheRecordReader::ReadUnit(CCacheSource& in, CUnit& unit)
{
    Enter();
    const char* head = in.ReadChars(6);
    if ((head[0] != 0 && head[0] != 1) || (head[1] != 0 && head[1] != 1)) {
        throw CacheError("Read Bool Error.");
    }
    unit.done = head[0] == 1;
    unit.brace = head[1] == 1;
    unit.kind = static_cast<int32_t>(CCacheSource::Decode(head + 2));
    ReadPositions(in, unit.tokenIndices);
    const char* range = in.ReadChars(8);
    unit.first = static_cast<int32_t>(CCacheSource::Decode(range));
    unit.last = static_cast<int32_t>(CCacheSource::Decode(range + 4));
    ReadDetail(in, unit);
    // Read in place: a list of its own on this frame would take stack room
    // at every level of a deep tree.
    ReadUnitVector(in, unit.children, unit.tokens);
    Leave();
}

template <class Units>
void CCacheRecordReader::ReadUnitVector(
    CCacheSource& in, Units& units, const std::vector<PPToken>* tokens)
{
    const uint32_t count = in.ReadCount(kMinUnitBytes);
    units.clear();
    units.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        units.emplace_back(tokens);
        ReadUnit(in, units.back());
    }
}

void CCacheRecordReader::ReadUnitVectorInRuns(
    CCacheSource& in, std::vector<CUnit>& units, const std::vector<PPToken>* tokens)
{
    const CCacheSource start = in;
    const uint32_t count = in.ReadCount(kMinUnitBytes);
    // Where each run starts (its first unit, and the bytes from there),
    // found by stepping over the units; the end closes the last run. Bytes
    // the stepping cannot find its way through are read in order, which
    // refuses them as it should.
    struct RunStart {
        uint32_t unit;
        CCacheSource bytes;
    };
    std::vector<RunStart> runs;
    if (in.Left() >= kRunBytes && count > 1) {
        try {
            CCacheSource probe = in;
            const size_t step = in.Left() / kUnitRuns;
            for (uint32_t i = 0; i < count; ++i) {
                if (runs.empty() ||
                    (runs.size() < kUnitRuns && in.Left() - probe.Left() >= step * runs.size())) {
                    runs.push_back({i, probe});
                }
                CacheUnitSkipper::SkipUnit(probe);
            }
            runs.push_back({count, probe});
        } catch (const CacheError&) {
            runs.clear();
        }
    }
    if (runs.size() < 3) {
        in = start;
        ReadUnitVector(in, units, tokens);
        return;
    }
    units.clear();
    units.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        units.emplace_back(tokens);
    }
    std::vector<std::exception_ptr> failures(runs.size() - 1);
    auto readRun = [&](size_t r) {
        try {
            const CDetailRecord::BulkCreation bulk;
            TokenTextStore unused; // units place no token texts
            CCacheRecordReader reader(headerCount_, unused);
            reader.tokenCount_ = tokenCount_;
            reader.release_ = release_;
            CCacheSource bytes = runs[r].bytes;
            const char* read = bytes.Position();
            for (uint32_t i = runs[r].unit; i < runs[r + 1].unit; ++i) {
                reader.ReadUnit(bytes, units[i]);
                reader.Released(read, bytes.Position(), false);
            }
            reader.Released(read, bytes.Position(), true);
            if (bytes.Left() != runs[r + 1].bytes.Left()) {
                throw CacheError("error"); // cannot be: the units were stepped over alike
            }
        } catch (...) {
            failures[r] = std::current_exception();
        }
    };
    std::vector<std::unique_ptr<LargeStackThread>> helpers;
    for (size_t r = 1; r + 1 < runs.size(); ++r) {
        auto helper = std::make_unique<LargeStackThread>();
        if (!helper->Start([&readRun, r] { readRun(r); })) {
            readRun(r);
        }
        helpers.push_back(std::move(helper));
    }
    readRun(0);
    for (auto& helper : helpers) {
        helper->Join();
    }
    // The first failure in order is the one reading in order meets.
    for (const std::exception_ptr& failure : failures) {
        if (failure) {
            std::rethrow_exception(failure);
        }
    }
    in = runs.back().bytes;
}

namespace {

// The source just past `count` stored tokens; throws as reading them would.
CCacheSource SkipTokens(CCacheSource in, uint32_t count)
{
    for (uint32_t i = 0; i < count; ++i) {
        in.ReadChars(CCacheSource::Decode(in.ReadChars(12) + 8));
    }
    return in;
}

} // namespace

void CCacheRecordReader::ReadTokensBesideUnits(CCacheSource& in, uint32_t count, CSourceFile& file)
{
    // The units follow the tokens; where they start is found by stepping
    // over the tokens' lengths. Units hold token positions, never tokens,
    // so they are read at the same time as the tokens.
    CCacheSource units = SkipTokens(in, count);
    const CCacheSource tokensEnd = units;
    std::exception_ptr unitsFailure;
    LargeStackThread helper;
    const bool started = helper.Start([&] {
        try {
            const CDetailRecord::BulkCreation bulk;
            TokenTextStore unused; // units place no token texts
            CCacheRecordReader reader(headerCount_, unused);
            reader.tokenCount_ = count;
            reader.release_ = release_;
            reader.ReadUnitVectorInRuns(units, file.units, &file.scan.tokens);
        } catch (...) {
            unitsFailure = std::current_exception();
        }
    });
    if (!started) {
        ReadTokens(in, count, file.scan.tokens);
        tokenCount_ = count;
        ReadUnitVector(in, file.units, &file.scan.tokens);
        return;
    }
    try {
        ReadTokens(in, count, file.scan.tokens);
    } catch (...) {
        helper.Join();
        throw;
    }
    helper.Join();
    if (unitsFailure) {
        std::rethrow_exception(unitsFailure);
    }
    if (in.Left() != tokensEnd.Left()) {
        throw CacheError("error"); // cannot be: the tokens were stepped over alike
    }
    in = units;
}

void CCacheRecordReader::ReadTokenVector(CCacheSource& in, std::vector<PPToken>& tokens)
{
    ReadTokens(in, in.ReadCount(kMinTokenBytes), tokens);
}

void CCacheRecordReader::ReadSourceFile(CCacheSource& in, CSourceFile& file, bool& pathRead)
{
    file.path = in.ReadString();
    pathRead = true;
    ReadNumbersBelow(in, file.includes, static_cast<size_t>(headerCount_));
    file.split = in.ReadBool();
    file.parsed = in.ReadBool();
    const bool hasIndexNumber = in.ReadBool();
    const int32_t indexNumber = in.ReadInt();
    if (hasIndexNumber) {
        if (indexNumber < 0 || indexNumber >= headerCount_) {
            throw CacheError("error");
        }
        file.hasIndexNumber = true;
        file.indexNumber = indexNumber;
    }
    file.size = in.ReadInt();
    file.mtime = in.ReadInt();
    const bool bytesKnown = in.ReadBool();
    const uint64_t low = static_cast<uint32_t>(in.ReadInt());
    const uint64_t high = static_cast<uint32_t>(in.ReadInt());
    if (bytesKnown) {
        file.scan.bytesDigest = low | high << 32;
    }
    ReadMacroTable(in, file);
    file.scan.fileName = file.path;
    const uint32_t count = in.ReadCount(kMinTokenBytes);
    if (in.Left() >= splitBytes_) {
        ReadTokensBesideUnits(in, count, file);
        return;
    }
    ReadTokens(in, count, file.scan.tokens);
    tokenCount_ = count;
    ReadUnitVector(in, file.units, &file.scan.tokens);
}
