#include "ParseCacheWriter.h"

#include "AtomicFile.h"
#include "CacheFileWriter.h"
#include "FileIndex.h"
#include "ParseCacheFormat.h"
#include "UnitDetail.h"

#include <cstring>

CParseCacheWriter::CParseCacheWriter(const SourceFileList& projectFiles,
                                     const CFileIndex& fileIndex)
    : projectFiles_(projectFiles), fileIndex_(fileIndex)
{
}

void CParseCacheWriter::WriteToken(CCacheSink& out, const PPToken& token)
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

void CParseCacheWriter::WriteIntVector(CCacheSink& out, const std::vector<int>& values)
{
    char* at = CCacheSink::Put(out.Room(4 + 4 * values.size()),
                               static_cast<uint32_t>(values.size()));
    for (int value : values) {
        at = CCacheSink::Put(at, static_cast<uint32_t>(value));
    }
}

void CParseCacheWriter::WriteTokenVector(CCacheSink& out, const std::vector<PPToken>& tokens)
{
    out.WriteSize(static_cast<uint32_t>(tokens.size()));
    for (const PPToken& token : tokens) {
        WriteToken(out, token);
    }
}

void CParseCacheWriter::WriteStrings(CCacheSink& out, const std::vector<std::string>& texts)
{
    out.WriteSize(static_cast<uint32_t>(texts.size()));
    for (const std::string& text : texts) {
        out.WriteString(text);
    }
}

void CParseCacheWriter::WriteQualifiedName(CCacheSink& out, const CQualifiedName& name)
{
    out.WriteBool(name.relative);
    out.WriteString(name.name);
    WriteStrings(out, name.scopes);
}

void CParseCacheWriter::WriteMacroTable(CCacheSink& out, const CSourceFile& file)
{
    out.WriteSize(static_cast<uint32_t>(file.macros.size()));
    for (const auto& [name, macro] : file.macros) {
        out.WriteString(name);
        out.WriteBool(macro.functionLike);
        WriteStrings(out, macro.parameters);
        WriteTokenVector(out, macro.body);
    }
}

void CParseCacheWriter::WriteVariable(CCacheSink& out, const CVariableInfo& variable)
{
    out.WriteBool(variable.cvAfterType);
    out.WriteBool(variable.multiple);
    out.WriteInt(variable.access);
    WriteVariables(out, variable.further);
    WriteQualifiedName(out, variable.qualifiedName);
    WriteIntVector(out, variable.arrayTokens);
    WriteIntVector(out, variable.typeTokens);
    WriteIntVector(out, variable.initTokens);
    WriteIntVector(out, variable.specifierTokens);
}

void CParseCacheWriter::WriteVariables(CCacheSink& out, const std::vector<CVariableInfo>& variables)
{
    out.WriteSize(static_cast<uint32_t>(variables.size()));
    for (const CVariableInfo& variable : variables) {
        WriteVariable(out, variable);
    }
}

// A record is written only when the unit's kind stores one and the record
// is of the type that kind stores; anything else is written as "no record",
// which is also how it would come back.
void CParseCacheWriter::WriteDetail(CCacheSink& out, const CUnit& unit)
{
    // The "record follows" flag, then the record's fields when there is one.
    auto write = [&out](const auto* record, auto&& fields) {
        out.WriteBool(record != nullptr);
        if (record) {
            fields(*record);
        }
    };
    switch (unit.kind) {
    case UNIT_CLASS:
    case UNIT_STRUCT:
    case UNIT_UNION:
        return write(AsClassInfo(unit), [&out](const CClassInfo& record) {
            WriteQualifiedName(out, record.qualifiedName);
            out.WriteSize(static_cast<uint32_t>(record.bases.size()));
            for (const CBaseClassInfo& base : record.bases) {
                out.WriteBool(base.isVirtual);
                out.WriteBool(base.qualifiedName.relative);
                out.WriteInt(base.access);
                out.WriteString(base.qualifiedName.name);
                WriteStrings(out, base.qualifiedName.scopes);
            }
        });
    case UNIT_ENUM:
    case UNIT_NAMESPACE:
    case UNIT_ASM:
    case UNIT_EXTERN:
    case UNIT_GOTO:
    case UNIT_LABEL:
        return write(AsTextInfo(unit), [&out](const CTextInfo& record) {
            out.WriteString(record.text);
        });
    case UNIT_NAMESPACE_ALIAS:
        return write(AsNamespaceAliasInfo(unit), [&out](const CNamespaceAliasInfo& record) {
            out.WriteString(record.alias);
            WriteQualifiedName(out, record.target);
        });
    case UNIT_TEMPLATE:
        return write(AsTemplateInfo(unit), [&out](const CTemplateInfo& record) {
            out.WriteBool(record.exported);
            WriteIntVector(out, record.parameterTokens);
        });
    case UNIT_VARIABLE:
        return write(AsVariableInfo(unit), [&out](const CVariableInfo& record) {
            WriteVariable(out, record);
        });
    case UNIT_USING:
        return write(AsUsingInfo(unit), [&out](const CClassInfo& record) {
            WriteQualifiedName(out, record.qualifiedName);
            WriteIntVector(out, {});
        });
    case UNIT_USING_NAMESPACE:
        return write(AsQualifiedNameInfo(unit), [&out](const CQualifiedNameInfo& record) {
            WriteQualifiedName(out, record.qualifiedName);
        });
    case UNIT_FUNCTION:
        return write(AsFunctionInfo(unit), [&out](const CFunctionInfo& record) {
            out.WriteBool(record.pure);
            out.WriteInt(record.access);
            WriteQualifiedName(out, record.qualifiedName);
            WriteIntVector(out, record.ctorInitTokens);
            WriteIntVector(out, record.reservedTokens);
            WriteIntVector(out, record.specifierTokens);
            WriteVariables(out, record.parameters);
        });
    case UNIT_IF:
    case UNIT_ELSE_IF:
    case UNIT_ELSE:
    case UNIT_WHILE:
    case UNIT_RETURN:
    case UNIT_SWITCH:
    case UNIT_CASE:
    case UNIT_CATCH:
    case UNIT_THROW:
        return write(AsTokenListInfo(unit), [&out](const CTokenListInfo& record) {
            WriteIntVector(out, record.tokens);
        });
    case UNIT_FOR:
        return write(AsForInfo(unit), [&out](const CForInfo& record) {
            WriteIntVector(out, record.conditionTokens);
            WriteIntVector(out, record.stepTokens);
            WriteIntVector(out, record.initTokens);
        });
    default:
        out.WriteBool(false);
    }
}

void CParseCacheWriter::WriteUnit(CCacheSink& out, const CUnit& unit)
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

void CParseCacheWriter::WriteUnitVector(CCacheSink& out, const std::vector<CUnit>& units)
{
    out.WriteSize(static_cast<uint32_t>(units.size()));
    for (const CUnit& unit : units) {
        WriteUnit(out, unit);
    }
}

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
    WriteMacroTable(out, file);
    WriteTokenVector(out, file.scan.tokens);
    WriteUnitVector(out, file.units);
}

bool CParseCacheWriter::WriteRecords(int fd, void* context)
{
    const auto& writer = *static_cast<const CParseCacheWriter*>(context);
    try {
        // Records stream through a buffer behind their lengths, which are
        // filled in once known (in the buffer, or in the file when the
        // record's start went out already): one pass, whatever the size.
        constexpr size_t kChunkBytes = size_t{1} << 20;
        CCacheFileWriter output(fd); // writes each chunk while the next is filled
        CCacheSink out;
        out.SpillTo(kChunkBytes, [&output](CacheChunk& full) { output.Write(full); });
        out.WriteInt(kParseCacheVersion);
        out.WriteInt(static_cast<int32_t>(writer.projectFiles_.size()));
        out.WriteInt(static_cast<int32_t>(writer.fileIndex_.files.size()));
        auto writeOne = [&](const CSourceFile* file) {
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
        for (const auto& file : writer.projectFiles_) {
            writeOne(file.get());
        }
        for (const auto& file : writer.fileIndex_.files) {
            writeOne(file.get());
        }
        out.Flush();
        return output.Finish();
    } catch (...) {
        return false; // out of memory, or a record too large to count
    }
}

bool CParseCacheWriter::Save(const std::string& path)
{
    return WriteFileAtomicallyWith(path, &WriteRecords, this);
}
