#pragma once

#include "TempFolder.h"

#include <filesystem>
#include <string>

// A copy of a test project from tests/data/engine/ in a temporary folder,
// every file stamped with one fixed modification time, so that edits with
// controlled times can be made.
class ProjectFolder {
public:
    // An empty folder, or a copy of tests/data/engine/<name>.
    explicit ProjectFolder(const std::string& name = std::string());

    std::string Path(const std::string& relative) const { return temp_.File(relative); }
    // Writes the file (folders made as needed) with the base time + `tick`.
    void Write(const std::string& relative, const std::string& text, int tick = 0);
    // Sets the modification time to the base time + `tick` seconds.
    void Touch(const std::string& relative, int tick);
    // Appends a comment after the last line (the tokens stay, the bytes do
    // not) and sets the time as Write does.
    void AppendComment(const std::string& relative, int tick);
    void Remove(const std::string& relative);

private:
    TempFolder temp_;
    std::filesystem::file_time_type base_;
};
