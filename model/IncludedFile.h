#pragma once

#include "SourceFile.h"

// A header reached through #include. Its macro table starts empty and holds
// the definitions made in the header.
class CIncludedFile : public CSourceFile {
public:
    CIncludedFile(const char* filePath, CInputSet* inputOwner, bool quotedInclude)
        : quoted(quotedInclude)
    {
        owner = inputOwner;
        path = filePath;
    }

    // First reached through a quoted include (a header read back from the
    // parse cache counts as quoted).
    bool quoted = true;
};
