#pragma once

#include "CapturedOutput.h"
#include "FileIndex.h"
#include "SourceFileList.h"
#include "TempFolder.h"

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
