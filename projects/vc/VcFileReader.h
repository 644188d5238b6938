#pragma once

#include "LineReader.h"

#include <atomic>
#include <string>

class MessageSink;

// What the Visual C++ readers share: the project or workspace file, read
// line by line (LF, CR LF or a CR alone end a line) once it was opened, its
// folder, the sink they report to and the request that stops them.
class CVcFileReader {
public:
    bool IsOpen() const { return open_; }
    // Once `stop` is set, reading ends after the current line or source,
    // keeping what was found so far. Null: never stopped.
    void SetStopRequest(const std::atomic<bool>* stop) { stop_ = stop; }
    bool Stopped() const { return stop_ != nullptr && stop_->load(std::memory_order_relaxed); }

protected:
    // Project and workspace files larger than this are not read.
    static constexpr size_t kMaxFileBytes = size_t(64) << 20;

    CVcFileReader(MessageSink& sink, bool report) : sink_(sink), report_(report) { }
    // Locates and opens the file; false when it cannot be read. Names in it
    // resolve against its folder.
    bool Load(const std::string& path);
    // Load, telling the sink (when this reader reports) that the file cannot
    // be opened, with the text `reason` after `separator`.
    bool LoadOrReport(const std::string& path, const char* separator, int reason);
    // Tells the sink, as LoadOrReport does (with `always` also when this
    // reader does not report), when the opened file could not be read to its
    // end.
    void ReportWhenCutShort(const char* separator, int reason, bool always = false);

    MessageSink& sink_;
    bool report_;
    bool open_ = false;
    LineReader lines_ {LineEnds::LfOrCr};
    std::string path_;
    std::string folder_;
    const std::atomic<bool>* stop_ = nullptr;
};
