#include "ParseCacheWriter.h"

#include "FileIndex.h"
#include "ParseCacheFormat.h"
#include "TextHelpers.h"
#include "UnitDetail.h"

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Writes all bytes to an open descriptor.
bool WriteAll(int fd, const char* data, size_t length)
{
    while (length > 0) {
        const ssize_t written = ::write(fd, data, length);
        if (written < 0) {
            return false;
        }
        data += written;
        length -= static_cast<size_t>(written);
    }
    return true;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    const bool ok = WriteAll(fd, bytes.data(), bytes.size());
    return (::close(fd) == 0) && ok;
}

bool ReadWholeFile(const std::string& path, std::string& bytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat status {};
    bool ok = ::fstat(fd, &status) == 0 && status.st_size >= 0;
    if (ok) {
        bytes.resize(static_cast<size_t>(status.st_size));
        size_t done = 0;
        while (ok && done < bytes.size()) {
            const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
            ok = got > 0;
            done += ok ? static_cast<size_t>(got) : 0;
        }
    }
    ::close(fd);
    return ok;
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

CParseCacheWriter::CParseCacheWriter(const SourceFileList& projectFiles,
                                     const CFileIndex& fileIndex)
    : projectFiles_(projectFiles), fileIndex_(fileIndex)
{
}

void CParseCacheWriter::WriteToken(CCacheSink& out, const PPToken& token)
{
    out.WriteInt(token.line);
    out.WriteInt(token.type);
    const size_t length = token.text ? std::strlen(token.text) : 0;
    out.WriteSize(static_cast<uint32_t>(length));
    out.WriteChars(token.text, length);
}

void CParseCacheWriter::WriteIntVector(CCacheSink& out, const std::vector<int>& values)
{
    out.WriteSize(static_cast<uint32_t>(values.size()));
    for (int value : values) {
        out.WriteInt(value);
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
    out.WriteBool(unit.done);
    out.WriteBool(unit.brace);
    out.WriteInt(unit.kind);
    WriteIntVector(out, unit.tokenIndices);
    out.WriteSize(static_cast<uint32_t>(unit.first));
    out.WriteSize(static_cast<uint32_t>(unit.last));
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

std::string CParseCacheWriter::TempFileName(size_t i) const
{
    return tempFolder_ + "/kstrtmp" + std::to_string(i) + ".tmp";
}

bool CParseCacheWriter::EnterTempDirectory()
{
    std::string pattern = GetTempDirectory();
    while (pattern.size() > 1 && pattern.back() == '/') {
        pattern.pop_back();
    }
    pattern += "/kestrin-cache-" + std::to_string(::getpid()) + "-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        return false;
    }
    tempFolder_ = pattern;
    return true;
}

bool CParseCacheWriter::WriteTempFiles()
{
    CCacheSink record;
    auto writeOne = [&](const CSourceFile* file) {
        record.Clear();
        if (file) {
            WriteSourceFile(record, *file);
        }
        if (!WriteWholeFile(TempFileName(tempFilesWritten_), record.Bytes())) {
            std::remove(TempFileName(tempFilesWritten_).c_str());
            return false;
        }
        ++tempFilesWritten_;
        return true;
    };
    for (const auto& file : projectFiles_) {
        if (!writeOne(file.get())) {
            return false;
        }
    }
    for (const auto& file : fileIndex_.files) {
        if (!writeOne(file.get())) {
            return false;
        }
    }
    return true;
}

bool CParseCacheWriter::MergeTempFiles(const std::string& path)
{
    std::string partial = FolderOf(path) + "/.kestrin-cache-" + std::to_string(::getpid()) +
                          "-XXXXXX";
    const int fd = ::mkstemp(partial.data());
    if (fd < 0) {
        return false;
    }
    bool ok = true;
    CCacheSink head;
    head.WriteInt(kParseCacheVersion);
    head.WriteInt(static_cast<int32_t>(projectFiles_.size()));
    head.WriteInt(static_cast<int32_t>(fileIndex_.files.size()));
    ok = WriteAll(fd, head.Bytes().data(), head.Bytes().size());
    std::string bytes;
    for (size_t i = 0; ok && i < tempFilesWritten_; ++i) {
        ok = ReadWholeFile(TempFileName(i), bytes);
        if (ok) {
            CCacheSink length;
            length.WriteInt(static_cast<int32_t>(bytes.size()));
            ok = WriteAll(fd, length.Bytes().data(), 4) &&
                 WriteAll(fd, bytes.data(), bytes.size());
        }
    }
    ok = ok && ::fsync(fd) == 0;
    // The new cache keeps the permissions of the one it replaces.
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 0777) : 0644;
    ok = ok && ::fchmod(fd, mode) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && std::rename(partial.c_str(), path.c_str()) == 0;
    if (!ok) {
        std::remove(partial.c_str());
    }
    return ok;
}

void CParseCacheWriter::RemoveTempFiles()
{
    for (size_t i = 0; i < tempFilesWritten_; ++i) {
        std::remove(TempFileName(i).c_str());
    }
    if (!tempFolder_.empty()) {
        ::rmdir(tempFolder_.c_str());
    }
    tempFilesWritten_ = 0;
}

bool CParseCacheWriter::Save(const std::string& path)
{
    bool ok = false;
    try {
        ok = EnterTempDirectory() && WriteTempFiles() && MergeTempFiles(path);
    } catch (...) {
        ok = false;
    }
    RemoveTempFiles();
    return ok;
}
