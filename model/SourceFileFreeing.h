#pragma once

#include "SourceFileList.h"

// Frees the source-file records of the list on several large-stack threads
// at once (the calling thread among them; unit trees are freed
// recursively) and leaves the list empty. A large model's records take tens
// of milliseconds to free one after the other.
void FreeSourceFiles(SourceFileList& files);
