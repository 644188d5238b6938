#pragma once

#include <string>

// The path of a file the engine holds a record of, as model elements name
// it: a reference to the record's own path rather than a copy, since every
// element declared or defined in a file names the same path. The string
// referred to must outlive the reference (the model is rebuilt whenever a
// record goes); a temporary is refused.
class FilePathRef {
public:
    FilePathRef(const std::string& path) : path_(&path) { }
    FilePathRef(std::string&&) = delete;

    const std::string& Path() const { return *path_; }
    operator const std::string&() const { return *path_; }

    friend bool operator==(const FilePathRef& a, const FilePathRef& b)
    {
        return *a.path_ == *b.path_;
    }
    friend bool operator==(const FilePathRef& a, const std::string& b) { return *a.path_ == b; }

private:
    const std::string* path_;
};
