#include "SourceFile.h"

#include "FileStatus.h"

bool CSourceFile::RefreshFileInfo()
{
    FileSizeAndTime status {size, mtime};
    if (!ReadFileSizeAndTime(path, status)) {
        return false;
    }
    size = status.size;
    mtime = status.mtime;
    return true;
}

bool CSourceFile::Load(const CTokenScanner& scanner, MessageSink& messages)
{
    if (!RefreshFileInfo()) {
        if (!WriteSourceReadFailure(path, messages)) {
            WriteFileOpenFailure(path, messages);
        }
        return false;
    }
    scan.Tokenize(path.c_str(), scanner, messages);
    return true;
}
