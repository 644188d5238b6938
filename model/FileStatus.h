#pragma once

#include <cstdint>
#include <string>

// A file's size in bytes and modification time in seconds, as the engine
// records them; both 0 when the file cannot be opened or its status cannot
// be taken.
struct FileSizeAndTime {
    int32_t size = 0;
    int32_t mtime = 0;
};

// Opens the file for reading and takes its status; false (and `out`
// untouched) when it cannot be opened or is not a regular file (a FIFO, a
// device or a folder is never opened).
bool ReadFileSizeAndTime(const std::string& path, FileSizeAndTime& out);

// The same, giving 0 and 0 for a file that cannot be opened.
FileSizeAndTime GetFileSizeAndTime(const std::string& path);
