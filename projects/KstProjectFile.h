#pragma once

#include "AtomicFile.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// A Kestrin project file (.kst): text lines ending in CR LF.
//     Kestrin Project File
//     V0.7
//     <Option>
//     </Option>
//     <Define>
//     <count>
//     <name>            one pair per predefined word, in name order
//     <value>
//     </Define>
//     <File>
//     <path>            one pair per file, in path order
//     <analyse> <draw>  1 or 0 each
//     </File>
// Reading compares the marker lines without regard to case, skips the first
// line and anything outside the sections, and also takes "V0.6" files (or
// files without a version line), whose files have no flags line and get both
// flags. A flags line is one of one or two whole numbers: a path whose flags
// line is missing keeps both flags and the next line is read as what it is,
// a flags line without a path is passed over, and a last line that is the
// start of "</File>" (a file cut short) is not a path.

struct ProjectFileEntry {
    std::string path;
    bool analyse = true;
    bool draw = true;
    friend bool operator==(const ProjectFileEntry&, const ProjectFileEntry&) = default;
};

struct ProjectFileContent {
    // The project's predefined words; a name given twice keeps its first value.
    std::map<std::string, int32_t> defines;
    // In the order read; paths of two characters or fewer are left out.
    std::vector<ProjectFileEntry> files;
    // The file ended inside a section (what was read is kept).
    bool sectionOpen = false;
};

// The file's bytes for the project words and files (written in the order
// given: the project input keeps its paths sorted).
std::string FormatProjectFile(
    const std::map<std::string, int32_t>& defines, const std::vector<ProjectFileEntry>& files);

// Reads a project file's bytes. False when they cannot be a project file at
// all (they hold a zero byte); the content is then empty.
bool ParseProjectFile(std::string_view bytes, ProjectFileContent& content);
// Reads a project file of at most maxSize bytes line by line, as
// ParseProjectFile, without holding it: ReadFailed also for a file that
// cannot be a project file. The content is empty unless the result is Ok.
ReadResult LoadProjectFile(const std::string& path, size_t maxSize, ProjectFileContent& content);

// The parse cache beside a project: the path less its last three characters,
// plus "car"; empty for a path of three characters or fewer.
std::string CachePathOf(const std::string& projectPath);
