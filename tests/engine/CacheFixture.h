#pragma once

#include "FileIndex.h"
#include "SourceFileList.h"

#include <iostream>
#include <sstream>
#include <string>

// An engine's records without the engine: project files and the header
// index, as the parse cache reads and writes them.
struct CacheRecords {
    SourceFileList projects;
    CFileIndex index;
};

// Two project files and two headers with every field set and a unit of
// every kind that carries a record.
void FillCacheRecords(CacheRecords& records);

// A folder of its own under the system's temporary folder, removed with
// everything in it when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// Sends std::cout into a string while it lives.
class CaptureStdout {
public:
    CaptureStdout() : old_(std::cout.rdbuf(text_.rdbuf())) {}
    ~CaptureStdout() { std::cout.rdbuf(old_); }
    std::string Text() const { return text_.str(); }

private:
    std::ostringstream text_;
    std::streambuf* old_;
};
