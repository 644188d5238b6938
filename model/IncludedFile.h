#pragma once

#include "SourceFile.h"

#include <string>

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
    // The project file whose preprocessing made this instance, or last took
    // it for a header it read afresh; empty when not known (a header read
    // back from the parse cache). Where headers are reused by name, a
    // project file kept from an earlier run is still right only when every
    // instance it reused came from a project file before it.
    std::string readBy;
};
