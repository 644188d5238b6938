#pragma once

#include <string>

class MessageSink;

// What the Visual C++ readers share: the project or workspace file's text
// and folder, read once by Load, and the sink they report to.
class CVcFileReader {
public:
    bool IsOpen() const { return open_; }

protected:
    CVcFileReader(MessageSink& sink, bool report) : sink_(sink), report_(report) { }
    // Locates and reads the file; false (the text empty) when it cannot be
    // read. Names in it resolve against its folder.
    bool Load(const std::string& path);
    // Load, telling the sink (when this reader reports) that the file cannot
    // be opened, with the text `reason` after `separator`.
    bool LoadOrReport(const std::string& path, const char* separator, int reason);

    MessageSink& sink_;
    bool report_;
    bool open_ = false;
    std::string text_;
    std::string folder_;
};
