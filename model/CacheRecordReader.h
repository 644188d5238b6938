#pragma once

#include "PPToken.h"
#include "ParseCacheIO.h"
#include "SourceFile.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class MacroRecordPool;

// Reads source-file records of the parse cache, one at a time, checking
// every count against the bytes left and every token position and include
// number against what was read before; anything wrong throws a CacheError.
// One reader serves one thread: token texts go to the store it was given,
// which that thread alone fills. The units of a large record are read on
// threads of their own while its tokens are read here: a long list of units
// in runs side by side.
class CCacheRecordReader {
public:
    CCacheRecordReader(int32_t headerCount, TokenTextStore& texts);

    // Reads the record into the file; `pathRead` is set once its path is
    // read. The record must take every byte of `in`.
    void ReadSourceFile(CCacheSource& in, CSourceFile& file, bool& pathRead);

    // Told of stretches of the record's bytes that are read and not looked
    // at again (the tokens, runs of units), a few MB at a time, so that the
    // copy of a large record can go while it is read. Null: nothing is told.
    using Release = std::function<void(const char* from, const char* to)>;
    void SetRelease(const Release* release) { release_ = release; }
    static constexpr size_t kReleaseStep = size_t {4} << 20;

    // Macro definitions whose records have the same bytes as one read
    // before, by this reader or another of the same load, are taken from
    // the pool instead of being read again. Null: each is read.
    void SetMacroPool(MacroRecordPool* pool) { macroPool_ = pool; }

    // Records whose tokens and units take at least this many bytes have
    // their units read on a second thread.
    static constexpr size_t kSplitBytes = size_t {1} << 20;
    // Raises that bound, for records read beside others on every core:
    // their threads would only take the cores from one another.
    void SetSplitBytes(size_t bytes) { splitBytes_ = std::max(bytes, kSplitBytes); }
    // A list of units that takes at least this many bytes is read in up to
    // kUnitRuns runs at once.
    static constexpr size_t kRunBytes = size_t {256} << 10;
    static constexpr size_t kUnitRuns = 6;

private:
    void ReadTokenVector(CCacheSource& in, std::vector<PPToken>& tokens);
    void ReadTokens(CCacheSource& in, uint32_t count, std::vector<PPToken>& tokens);
    void ReadTokensBesideUnits(CCacheSource& in, uint32_t count, CSourceFile& file);
    void ReadIntVector(CCacheSource& in, std::vector<int>& values);
    // An int list whose every value lies in 0..limit-1.
    void ReadNumbersBelow(CCacheSource& in, std::vector<int>& values, size_t limit);
    // An int list of positions in the current file's token vector.
    void ReadPositions(CCacheSource& in, TokenIndices& positions);
    void ReadStrings(CCacheSource& in, std::vector<std::string>& texts);
    void ReadMacroTable(CCacheSource& in, CSourceFile& file);
    SharedMacro ReadMacro(CCacheSource& in);
    SharedMacro ReadPooledMacro(CCacheSource& in);
    void ReadDetail(CCacheSource& in, CUnit& unit);
    void ReadUnit(CCacheSource& in, CUnit& unit);
    // Into a file's list or a unit's children (nothing made for none).
    template <class Units>
    void ReadUnitVector(CCacheSource& in, Units& units, const std::vector<PPToken>* tokens);
    // As ReadUnitVector, the units in runs on several threads when the list
    // is long.
    void ReadUnitVectorInRuns(
        CCacheSource& in, std::vector<CUnit>& units, const std::vector<PPToken>* tokens);
    struct FieldReader; // reads the fields of a detail record
    void Enter();
    void Leave() { --depth_; }
    // Tells of [from, at) once it is kReleaseStep long, or `whole`, and moves
    // `from` to `at`.
    void Released(const char*& from, const char* at, bool whole) const;

    int32_t headerCount_; // header records in the cache
    TokenTextStore& texts_; // where token texts go
    size_t tokenCount_ = 0; // tokens of the record being read
    int depth_ = 0;
    const Release* release_ = nullptr;
    MacroRecordPool* macroPool_ = nullptr;
    size_t splitBytes_ = kSplitBytes;
};
