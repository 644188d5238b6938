#include "ParseCacheReader.h"

#include "CacheError.h"
#include "FileIndex.h"
#include "IncludedFile.h"
#include "ParseCacheFormat.h"
#include "ProjectFile.h"
#include "UnitDetail.h"

#include <algorithm>
#include <cerrno>
#include <compare>
#include <cstring>
#include <iterator>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The bytes of a regular file, mapped into memory for reading once its
// first bytes show a cache of this format. Opening never waits (a FIFO has
// no writer to wait for), and only a regular file is read at all.
class MappedCache {
public:
    explicit MappedCache(const std::string& path)
    {
        int fd;
        do {
            fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0) {
            failure_ = "cannot be opened";
            return;
        }
        Map(fd);
        ::close(fd);
    }
    ~MappedCache()
    {
        if (data_) {
            ::munmap(const_cast<char*>(data_), size_);
        }
    }
    MappedCache(const MappedCache&) = delete;
    MappedCache& operator=(const MappedCache&) = delete;

    // Why the file is not read; empty when its bytes are there.
    const std::string& Failure() const { return failure_; }
    const char* Data() const { return data_ ? data_ : small_.data(); }
    size_t Size() const { return size_; }

private:
    void Map(int fd)
    {
        struct stat status {};
        if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < 0) {
            failure_ = "not a regular file";
            return;
        }
        size_ = static_cast<size_t>(status.st_size);
        // The head is checked before anything else is read, so that a file
        // of another kind costs nothing however large it is. A file too
        // short for a head is read whole and refused by the reader.
        small_.resize(std::min<size_t>(size_, kHeadBytes));
        if (!ReadAt(fd, small_)) {
            failure_ = "cannot be read";
            return;
        }
        if (size_ < kHeadBytes) {
            return;
        }
        if (static_cast<int32_t>(CCacheSource::Decode(small_.data())) != kParseCacheVersion) {
            failure_ = "version not match";
            return;
        }
        void* data = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
        if (data == MAP_FAILED) {
            failure_ = "cannot be read";
            return;
        }
        data_ = static_cast<const char*>(data);
        // Read ahead in one go only when the record lengths add up to the
        // file (one page touched per record): damage is found by the reader
        // without the whole body being read first.
        if (LengthsAddUp()) {
#ifdef MADV_POPULATE_READ
            if (::madvise(data, size_, MADV_POPULATE_READ) == 0) {
                return;
            }
#endif
            ::madvise(data, size_, MADV_WILLNEED);
        }
    }

    bool LengthsAddUp() const
    {
        const uint64_t records = uint64_t{CCacheSource::Decode(data_ + 4)} +
                                 uint64_t{CCacheSource::Decode(data_ + 8)};
        uint64_t at = kHeadBytes;
        for (uint64_t i = 0; i < records; ++i) {
            if (at + 4 > size_) {
                return false;
            }
            at += 4 + uint64_t{CCacheSource::Decode(data_ + at)};
        }
        return at == size_;
    }

    static bool ReadAt(int fd, std::string& bytes)
    {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t got = ::pread(fd, bytes.data() + done, bytes.size() - done,
                                        static_cast<off_t>(done));
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                return false;
            }
            done += static_cast<size_t>(got);
        }
        return true;
    }

    static constexpr size_t kHeadBytes = 12; // version and the two counts

    const char* data_ = nullptr;
    size_t size_ = 0;
    std::string small_;
    std::string failure_;
};

} // namespace

CParseCacheReader::CParseCacheReader(SourceFileList& projectFiles, CFileIndex& fileIndex,
                                     CInputSet* owner, MessageSink& messages)
    : projectFiles_(projectFiles), fileIndex_(fileIndex), owner_(owner), messages_(messages)
{
}

void CParseCacheReader::Enter()
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

    explicit StoredInts(const char* at) : at_(at) {}
    int operator*() const { return static_cast<int32_t>(CCacheSource::Decode(at_)); }
    int operator[](difference_type n) const { return *(*this + n); }
    StoredInts& operator++() { at_ += 4; return *this; }
    StoredInts operator++(int) { StoredInts was = *this; at_ += 4; return was; }
    StoredInts& operator--() { at_ -= 4; return *this; }
    StoredInts operator--(int) { StoredInts was = *this; at_ -= 4; return was; }
    StoredInts& operator+=(difference_type n) { at_ += 4 * n; return *this; }
    StoredInts& operator-=(difference_type n) { at_ -= 4 * n; return *this; }
    friend StoredInts operator+(StoredInts i, difference_type n) { return i += n; }
    friend StoredInts operator+(difference_type n, StoredInts i) { return i += n; }
    friend StoredInts operator-(StoredInts i, difference_type n) { return i -= n; }
    friend difference_type operator-(const StoredInts& a, const StoredInts& b) { return (a.at_ - b.at_) / 4; }
    friend auto operator<=>(const StoredInts& a, const StoredInts& b) = default;

private:
    const char* at_;
};

} // namespace

void CParseCacheReader::ReadIntVector(CCacheSource& in, std::vector<int>& values)
{
    const uint32_t count = in.ReadCount(kMinIntBytes);
    if (count == 0) {
        values.clear();
        return;
    }
    const char* stored = in.ReadChars(size_t{count} * 4);
    values.assign(StoredInts(stored), StoredInts(stored + size_t{count} * 4));
}

void CParseCacheReader::ReadNumbersBelow(CCacheSource& in, std::vector<int>& values, size_t limit)
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

void CParseCacheReader::ReadPositions(CCacheSource& in, std::vector<int>& positions)
{
    ReadNumbersBelow(in, positions, tokenCount_);
}

void CParseCacheReader::ReadTokenVector(CCacheSource& in, std::vector<PPToken>& tokens)
{
    const uint32_t count = in.ReadCount(kMinTokenBytes);
    tokens.clear();
    tokens.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
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
}

void CParseCacheReader::ReadStrings(CCacheSource& in, std::vector<std::string>& texts)
{
    texts.resize(in.ReadCount(kMinStringBytes));
    for (std::string& text : texts) {
        text = in.ReadString();
    }
}

void CParseCacheReader::ReadQualifiedName(CCacheSource& in, CQualifiedName& name)
{
    name.relative = in.ReadBool();
    name.name = in.ReadString();
    ReadStrings(in, name.scopes);
}

void CParseCacheReader::ReadVariable(CCacheSource& in, CVariableInfo& variable)
{
    Enter();
    variable.cvAfterType = in.ReadBool();
    variable.multiple = in.ReadBool();
    variable.access = in.ReadInt();
    ReadVariables(in, variable.further);
    ReadQualifiedName(in, variable.qualifiedName);
    ReadPositions(in, variable.arrayTokens);
    ReadPositions(in, variable.typeTokens);
    ReadPositions(in, variable.initTokens);
    ReadPositions(in, variable.specifierTokens);
    Leave();
}

void CParseCacheReader::ReadVariables(CCacheSource& in, std::vector<CVariableInfo>& variables)
{
    variables.resize(in.ReadCount(kMinVariableBytes));
    for (CVariableInfo& variable : variables) {
        ReadVariable(in, variable);
    }
}

void CParseCacheReader::ReadMacroTable(CCacheSource& in, CSourceFile& file)
{
    const uint32_t count = in.ReadCount(kMinMacroBytes);
    for (uint32_t i = 0; i < count; ++i) {
        CMacroDef macro;
        macro.name = in.ReadString();
        macro.functionLike = in.ReadBool();
        ReadStrings(in, macro.parameters);
        ReadTokenVector(in, macro.body);
        std::string name = macro.name;
        file.macros[name] = std::move(macro); // a later record of one name wins
    }
}

namespace {

// A new record of the given type, handed to the unit, to be filled.
template <class Record>
Record& NewDetail(CUnit& unit)
{
    auto record = std::make_unique<Record>();
    Record& made = *record;
    unit.SetDetail(std::move(record));
    return made;
}

} // namespace

void CParseCacheReader::ReadDetail(CCacheSource& in, CUnit& unit)
{
    if (!in.ReadBool()) {
        return;
    }
    switch (unit.kind) {
    case UNIT_CLASS:
    case UNIT_STRUCT:
    case UNIT_UNION: {
        CClassInfo& record = NewDetail<CClassInfo>(unit);
        ReadQualifiedName(in, record.qualifiedName);
        record.bases.resize(in.ReadCount(kMinBaseBytes));
        for (CBaseClassInfo& base : record.bases) {
            base.isVirtual = in.ReadBool();
            base.qualifiedName.relative = in.ReadBool();
            base.access = in.ReadInt();
            base.qualifiedName.name = in.ReadString();
            ReadStrings(in, base.qualifiedName.scopes);
        }
        break;
    }
    case UNIT_ENUM:
    case UNIT_NAMESPACE:
    case UNIT_ASM:
    case UNIT_EXTERN:
    case UNIT_GOTO:
    case UNIT_LABEL:
        unit.SetDetail(std::make_unique<CTextInfo>(in.ReadString()));
        break;
    case UNIT_NAMESPACE_ALIAS: {
        CNamespaceAliasInfo& record = NewDetail<CNamespaceAliasInfo>(unit);
        record.alias = in.ReadString();
        ReadQualifiedName(in, record.target);
        break;
    }
    case UNIT_TEMPLATE: {
        CTemplateInfo& record = NewDetail<CTemplateInfo>(unit);
        record.exported = in.ReadBool();
        ReadPositions(in, record.parameterTokens);
        break;
    }
    case UNIT_VARIABLE:
        ReadVariable(in, NewDetail<CVariableInfo>(unit));
        break;
    case UNIT_USING: {
        ReadQualifiedName(in, NewDetail<CClassInfo>(unit).qualifiedName);
        std::vector<int> unused;
        ReadIntVector(in, unused);
        break;
    }
    case UNIT_USING_NAMESPACE:
        ReadQualifiedName(in, NewDetail<CQualifiedNameInfo>(unit).qualifiedName);
        break;
    case UNIT_FUNCTION: {
        CFunctionInfo& record = NewDetail<CFunctionInfo>(unit);
        record.pure = in.ReadBool();
        record.access = in.ReadInt();
        ReadQualifiedName(in, record.qualifiedName);
        ReadPositions(in, record.ctorInitTokens);
        ReadPositions(in, record.reservedTokens);
        ReadPositions(in, record.specifierTokens);
        ReadVariables(in, record.parameters);
        break;
    }
    case UNIT_IF:
    case UNIT_ELSE_IF:
    case UNIT_ELSE:
    case UNIT_WHILE:
    case UNIT_RETURN:
    case UNIT_SWITCH:
    case UNIT_CASE:
    case UNIT_CATCH:
    case UNIT_THROW:
        ReadPositions(in, NewDetail<CTokenListInfo>(unit).tokens);
        break;
    case UNIT_FOR: {
        CForInfo& record = NewDetail<CForInfo>(unit);
        ReadPositions(in, record.conditionTokens);
        ReadPositions(in, record.stepTokens);
        ReadPositions(in, record.initTokens);
        break;
    }
    default:
        break; // kinds without a record: nothing follows
    }
}

void CParseCacheReader::ReadUnit(CCacheSource& in, CUnit& unit)
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
    ReadUnitVector(in, unit.children, unit.tokens);
    Leave();
}

void CParseCacheReader::ReadUnitVector(CCacheSource& in, std::vector<CUnit>& units,
                                       const std::vector<PPToken>* tokens)
{
    const uint32_t count = in.ReadCount(kMinUnitBytes);
    units.clear();
    units.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        units.emplace_back(tokens);
        ReadUnit(in, units.back());
    }
}

void CParseCacheReader::ReadSourceFile(CCacheSource& in, CSourceFile& file)
{
    file.path = in.ReadString();
    MessageLine(messages_) << file.path;
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
    ReadMacroTable(in, file);
    ReadTokenVector(in, file.scan.tokens);
    file.scan.fileName = file.path;
    tokenCount_ = file.scan.tokens.size();
    ReadUnitVector(in, file.units, &file.scan.tokens);
}

void CParseCacheReader::ReadAll(CCacheSource& in, Records& records)
{
    if (in.ReadInt() != kParseCacheVersion) {
        throw CacheError("version not match");
    }
    const int32_t projects = in.ReadInt();
    headerCount_ = in.ReadInt();
    if (projects < 0 || headerCount_ < 0 ||
        static_cast<uint64_t>(projects) + static_cast<uint64_t>(headerCount_) >
            in.Left() / kMinRecordBytes) {
        throw CacheError("Read Integer Error.");
    }
    const int64_t total = static_cast<int64_t>(projects) + headerCount_;
    for (int64_t i = 0; i < total; ++i) {
        const uint32_t length = in.ReadSize();
        CCacheSource record = in.Take(length);
        std::unique_ptr<CSourceFile> file;
        if (i < projects) {
            file = std::make_unique<CProjectFile>(owner_);
        } else {
            file = std::make_unique<CIncludedFile>("", owner_, true);
        }
        ReadSourceFile(record, *file);
        if (!record.AtEnd()) {
            throw CacheError("error"); // the record is not what its length says
        }
        (i < projects ? records.projects : records.headers).push_back(std::move(file));
    }
    if (!in.AtEnd()) {
        throw CacheError("error");
    }
}

bool CParseCacheReader::LoadBytes(const std::string& bytes)
{
    return LoadBytes(bytes.data(), bytes.size());
}

bool CParseCacheReader::LoadBytes(const char* data, size_t length)
{
    failure_.clear();
    Records records;
    try {
        CCacheSource in(data, length);
        const CDetailRecord::BulkCreation bulk; // the records of whole unit trees
        ReadAll(in, records);
        // Room for the hand-over, so that it cannot fail half way.
        projectFiles_.reserve(projectFiles_.size() + records.projects.size());
        fileIndex_.files.reserve(fileIndex_.files.size() + records.headers.size());
    } catch (const std::bad_alloc&) {
        failure_ = "out of memory";
        return false;
    } catch (const std::exception& failure) {
        failure_ = failure.what();
        return false;
    } catch (...) {
        failure_ = "error";
        return false;
    }
    // Everything was read: hand the records over. Header numbers move past
    // the headers the index already holds.
    const int32_t base = static_cast<int32_t>(fileIndex_.files.size());
    auto renumber = [base](CSourceFile& file) {
        for (int32_t& number : file.includes) {
            number += base;
        }
        if (file.hasIndexNumber) {
            file.indexNumber += base;
        }
    };
    for (auto& file : records.projects) {
        renumber(*file);
        projectFiles_.push_back(std::move(file));
    }
    for (auto& file : records.headers) {
        renumber(*file);
        fileIndex_.Add(std::move(file));
    }
    return true;
}

bool CParseCacheReader::Load(const std::string& path)
{
    const MappedCache file(path);
    if (!file.Failure().empty()) {
        failure_ = file.Failure();
        return false;
    }
    return LoadBytes(file.Data(), file.Size());
}
