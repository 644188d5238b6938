#pragma once

#include "VcDefines.h"

#include <atomic>
#include <string>
#include <vector>

class MessageSink;

// What a Visual C++ project or workspace brings into a project: the full
// paths of its sources that exist and the words it defines.
struct VcProjectContent {
    // False when the file could not be read, or is of no Visual C++ kind.
    bool read = false;
    // The stop request ended the reading: what was found until then is here.
    bool stopped = false;
    std::vector<std::string> files;
    VcDefines defines;
};

// Reads a .dsp, a .dsw with its projects, or a .vcproj, by the file's type;
// progress and the found files go to the sink when `report` is set, missing
// sources and unreadable files whatever it says. A file that was read but
// brings no source says so when `report` is set. Once `stop` is set the
// reading ends early.
VcProjectContent ReadVcProjectFile(const std::string& path, MessageSink& sink, bool report,
    const std::atomic<bool>* stop = nullptr);
