#pragma once

#include "SourceFileList.h"

#include <functional>

// Frees the source-file records of the list on several large-stack threads
// at once (the calling thread among them; unit trees are freed
// recursively) and leaves the list empty. A large model's records take tens
// of milliseconds to free one after the other.
void FreeSourceFiles(SourceFileList& files);
// The same for two lists in one spread, and `alongside` called once on one
// of the threads meanwhile: freeing what only points into the records (a
// model) need not wait for them, nor they for it.
void FreeSourceFiles(
    SourceFileList& first, SourceFileList& second, const std::function<void()>& alongside);
