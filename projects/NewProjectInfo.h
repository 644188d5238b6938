#pragma once

#include "VcDefines.h"

#include <set>
#include <string>

// What the new-project wizard collects, page by page: the project file's
// folder and name, how the project starts, and the files and words it
// starts with. The pages read and write it; it is the only state they share.
struct NewProjectInfo {
    // 0 an empty project, 1 from a Visual C++ project or workspace, 2 from a
    // source folder, 3 from files picked one by one.
    enum StartMode { kEmpty = 0, kWorkspace = 1, kFolder = 2, kFiles = 3 };

    std::string location;
    std::string fileName;
    int startMode = kEmpty;
    std::string workspaceFile;
    std::string sourceFolder;
    bool recurse = false;
    std::set<std::string> files;
    VcDefines defines;
};
