#include "ParseCacheWriter.h"

#include "AtomicFile.h"
#include "ByteDigest.h"
#include "CacheFileWriter.h"
#include "CacheRecordEncoder.h"
#include "CacheRecordFields.h"
#include "FileIndex.h"
#include "ParseCacheFormat.h"
#include "UnitDetail.h"

#include <algorithm>
#include <cstring>
#include <unistd.h>
#include <utility>

CParseCacheWriter::CParseCacheWriter(
    const SourceFileList& projectFiles, const CFileIndex& fileIndex)
    : projectFiles_(projectFiles), fileIndex_(fileIndex)
{
}

namespace {

void WriteToken(CCacheSink& out, const PPToken& token)
{
    // Most token texts are short: they are copied as they are measured,
    // into room kept for a short one; a longer one is measured first.
    constexpr size_t kShort = 32;
    char* at = out.Reserve(12 + kShort);
    size_t length = 0;
    if (const char* text = token.text) {
        while (length < kShort && text[length] != '\0') {
            at[12 + length] = text[length];
            ++length;
        }
        if (length == kShort && text[length] != '\0') {
            length += std::strlen(text + length);
            at = out.Reserve(12 + length);
            std::memcpy(at + 12, text, length);
        }
    }
    char* head = CCacheSink::Put(at, static_cast<uint32_t>(token.line));
    head = CCacheSink::Put(head, static_cast<uint32_t>(token.type));
    CCacheSink::Put(head, static_cast<uint32_t>(length));
    out.Commit(12 + length);
}

template <class Ints> void WriteIntVector(CCacheSink& out, const Ints& values)
{
    char* at =
        CCacheSink::Put(out.Room(4 + 4 * values.size()), static_cast<uint32_t>(values.size()));
    for (int value : values) {
        at = CCacheSink::Put(at, static_cast<uint32_t>(value));
    }
}

// Most position lists are runs, whose positions are counted out instead of
// walked one by one.
void WriteIntVector(CCacheSink& out, const TokenIndices& positions)
{
    const size_t count = positions.size();
    char* at = CCacheSink::Put(out.Room(4 + 4 * count), static_cast<uint32_t>(count));
    if (count == 0) {
        return;
    }
    if (positions.IsCompact()) {
        const auto first = static_cast<uint32_t>(positions.front());
        for (uint32_t k = 0; k < count; ++k) {
            at = CCacheSink::Put(at, first + k);
        }
        return;
    }
    for (int value : positions) {
        at = CCacheSink::Put(at, static_cast<uint32_t>(value));
    }
}

void WriteTokenVector(CCacheSink& out, const std::vector<PPToken>& tokens)
{
    out.WriteSize(static_cast<uint32_t>(tokens.size()));
    for (const PPToken& token : tokens) {
        WriteToken(out, token);
    }
}

void WriteStrings(CCacheSink& out, const std::vector<std::string>& texts)
{
    out.WriteSize(static_cast<uint32_t>(texts.size()));
    for (const std::string& text : texts) {
        out.WriteString(text);
    }
}

// Writes the fields of a record as the record description lists them.
struct FieldWriter {
    CCacheSink& out;

    void Flag(bool value) { out.WriteBool(value); }
    void Number(int32_t value) { out.WriteInt(value); }
    void Text(const std::string& text) { out.WriteString(text); }
    void Texts(const std::vector<std::string>& texts) { WriteStrings(out, texts); }
    void Positions(const TokenIndices& positions) { WriteIntVector(out, positions); }
    void Unused() { out.WriteSize(0); }
    void Variable(const CVariableInfo& variable) { CacheRecordFields::Declarator(*this, variable); }
    void Variables(const std::vector<CVariableInfo>& variables)
    {
        out.WriteSize(static_cast<uint32_t>(variables.size()));
        for (const CVariableInfo& variable : variables) {
            Variable(variable);
        }
    }
    void Bases(const std::vector<CBaseClassInfo>& bases)
    {
        out.WriteSize(static_cast<uint32_t>(bases.size()));
        for (const CBaseClassInfo& base : bases) {
            CacheRecordFields::BaseClass(*this, base);
        }
    }
};

void WriteMacro(CCacheSink& out, const CMacroDef& macro)
{
    out.WriteBool(macro.functionLike);
    WriteStrings(out, macro.parameters);
    WriteTokenVector(out, macro.body);
}

// A definition shared by many tables is written out once, and its bytes
// are kept with it for every other table, in this save and the next.
void WriteMacroTable(CCacheSink& out, const CSourceFile& file)
{
    out.WriteSize(static_cast<uint32_t>(file.macros.size()));
    for (const auto& [name, macro] : file.macros) {
        out.WriteString(name);
        const std::string* written = macro.Written([](const CMacroDef& def) {
            CCacheSink bytes;
            WriteMacro(bytes, def);
            return bytes.Bytes();
        });
        if (written != nullptr) {
            out.WriteChars(written->data(), written->size());
        } else {
            WriteMacro(out, *macro);
        }
    }
}

// A record is written only when the unit's kind stores one and the record
// is of the type that kind stores; anything else is written as "no record",
// which is also how it would come back.
// Kept out of line, so that the recursion through the unit tree stays
// small on the stack.
[[gnu::noinline]] void WriteDetail(CCacheSink& out, const CUnit& unit)
{
    bool written = false;
    CacheRecordFields::WithLayoutOf(unit.kind, [&](auto layout) {
        using Layout = decltype(layout);
        if (const auto* record = DetailAs<typename Layout::Record>(unit)) {
            out.WriteBool(true);
            FieldWriter fields {out};
            Layout::Fields(fields, *record);
            written = true;
        }
    });
    if (!written) {
        out.WriteBool(false);
    }
}

void WriteUnitVector(CCacheSink& out, const std::vector<CUnit>& units);

void WriteUnit(CCacheSink& out, const CUnit& unit)
{
    char* head = out.Room(6);
    head[0] = unit.done ? '\1' : '\0';
    head[1] = unit.brace ? '\1' : '\0';
    CCacheSink::Put(head + 2, static_cast<uint32_t>(unit.kind));
    WriteIntVector(out, unit.tokenIndices);
    char* range = CCacheSink::Put(out.Room(8), static_cast<uint32_t>(unit.first));
    CCacheSink::Put(range, static_cast<uint32_t>(unit.last));
    WriteDetail(out, unit);
    WriteUnitVector(out, unit.children);
}

void WriteUnitVector(CCacheSink& out, const std::vector<CUnit>& units)
{
    out.WriteSize(static_cast<uint32_t>(units.size()));
    for (const CUnit& unit : units) {
        WriteUnit(out, unit);
    }
}

} // namespace

void CParseCacheWriter::WriteSourceFile(CCacheSink& out, const CSourceFile& file)
{
    out.WriteString(file.path);
    WriteIntVector(out, file.includes);
    out.WriteBool(file.split);
    out.WriteBool(file.parsed);
    out.WriteBool(file.hasIndexNumber);
    out.WriteInt(file.indexNumber);
    out.WriteInt(file.size);
    out.WriteInt(file.mtime);
    const uint64_t bytes = file.scan.bytesDigest.value_or(0);
    out.WriteBool(file.scan.bytesDigest.has_value());
    out.WriteInt(static_cast<int32_t>(static_cast<uint32_t>(bytes)));
    out.WriteInt(static_cast<int32_t>(static_cast<uint32_t>(bytes >> 32)));
    WriteMacroTable(out, file);
    WriteTokenVector(out, file.scan.tokens);
    WriteUnitVector(out, file.units);
}

bool CParseCacheWriter::WriteRecords(int fd, void* context)
{
    auto& writer = *static_cast<CParseCacheWriter*>(context);
    try {
        std::vector<const CSourceFile*> files;
        files.reserve(writer.projectFiles_.size() + writer.fileIndex_.files.size());
        for (const auto& file : writer.projectFiles_) {
            files.push_back(file.get());
        }
        for (const auto& file : writer.fileIndex_.files) {
            files.push_back(file.get());
        }
        CacheRecordEncoder ahead(files);
        // Room for the cache is set aside at once (see SetAsideRoom): two
        // thirds of the estimate, which most often falls short of the bytes.
        const size_t setAside = SetAsideRoom(fd, ahead.EstimatedTotalBytes() / 3 * 2);
        // Records stream through a buffer behind their lengths. Records
        // encoded ahead come in runs, each with its length in front; a
        // large record is streamed, and its length is filled in once known
        // (in the buffer, or in the file when the record's start went out
        // already): one pass, whatever the size. A large run encoded ahead
        // goes to the file as it is, not copied, and leaves the buffer where
        // it was.
        // The digest is taken here as the bytes are handed to the writing
        // thread (this thread mostly waits for it), unless a length had to
        // be filled in behind them.
        constexpr size_t kChunkBytes = size_t {1} << 20;
        constexpr size_t kLeastBytesAsTheyAre = size_t {64} << 10;
        ByteDigest digest;
        CCacheFileWriter output(fd); // writes each chunk while the next is filled
        output.DigestInto(&digest);
        CCacheSink out;
        out.SpillTo(kChunkBytes, [&output](CacheChunk& full) { output.Write(full); });
        out.WriteInt(kParseCacheVersion);
        out.WriteInt(static_cast<int32_t>(writer.projectFiles_.size()));
        out.WriteInt(static_cast<int32_t>(writer.fileIndex_.files.size()));
        auto streamOne = [&](const CSourceFile* file) {
            const size_t lengthAt = out.Size();
            out.WriteInt(0);
            if (file) {
                WriteSourceFile(out, *file);
            }
            const auto length = static_cast<int32_t>(out.Size() - lengthAt - 4);
            if (lengthAt >= out.Spilled()) {
                out.PatchInt(lengthAt, length);
            } else {
                output.Patch(lengthAt, static_cast<uint32_t>(length));
            }
        };
        for (size_t i = 0; i < files.size();) {
            std::optional<CacheRecordEncoder::Run> run = ahead.Take(i);
            if (!run) {
                streamOne(files[i]);
                ++i;
                continue;
            }
            i += run->count;
            const size_t size = run->bytes.size;
            if (size >= kLeastBytesAsTheyAre) {
                out.Flush();
                output.Append(std::move(run->bytes));
                out.PassOver(size);
                continue;
            }
            out.WriteChars(run->bytes.bytes.get(), size);
            ahead.GiveBack(std::move(run->bytes));
        }
        out.Flush();
        if (!output.Finish() || (setAside > 0 && !GiveBackRoomPastEnd(fd, setAside))) {
            return false;
        }
        if (output.DigestWhole()) {
            writer.digest_ = digest.Text();
        }
        return true;
    } catch (...) {
        return false; // out of memory, or a record too large to count
    }
}

CParseCacheWriter::~CParseCacheWriter()
{
    if (replaced_ >= 0) {
        ::close(replaced_);
    }
}

int CParseCacheWriter::TakeReplacedFile()
{
    return std::exchange(replaced_, -1);
}

bool CParseCacheWriter::Save(const std::string& path)
{
    digest_.clear();
    if (replaced_ >= 0) {
        ::close(std::exchange(replaced_, -1));
    }
    if (!WriteFileAtomicallyWith(path, &WriteRecords, this, LinkRule::Replace, &replaced_)) {
        digest_.clear();
        return false;
    }
    if (digest_.empty()) {
        digest_ = DigestOfFile(path);
    }
    return true;
}
