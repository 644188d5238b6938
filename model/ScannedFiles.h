#pragma once

#include "BackgroundDisposal.h"
#include "FolderListings.h"
#include "MessageSink.h"
#include "PPToken.h"
#include "TokenScanner.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class CSourceFile;

// The files one analysis run has read and scanned, so that a header included
// many times is read from disk and scanned once. Each load takes the file's
// status again (size, modification and change time, device and inode) and
// reads and scans it afresh when any of them differs from the kept one, so
// an edited file is never taken from the store. A scan made once the run
// was asked to stop is not kept: it may end short. Safe to share between
// threads.
class ScannedFiles {
public:
    ScannedFiles() = default;
    ScannedFiles(const ScannedFiles&) = delete;
    ScannedFiles& operator=(const ScannedFiles&) = delete;

    // Does what CSourceFile::Load does (size and time, the tokens appended,
    // the same message lines in the same order), from the store when it can.
    bool Load(CSourceFile& file, const CTokenScanner& scanner, MessageSink& messages);

    // Forgets every kept file (the end of a run).
    void Clear();
    // The same, the kept files being freed on the disposal's thread (here
    // should it fail to take them): a big project's headers take
    // milliseconds to free.
    void Clear(BackgroundDisposal& disposal) noexcept;
    // How many loads were taken from the store, and how many read the file.
    size_t Reused() const;
    size_t Read() const;
    // The folders the run's include lookups listed; forgotten with the
    // files.
    FolderListings& Folders() { return folders_; }

    // What identifies one version of a file on disk.
    struct Status {
        int64_t size = 0;
        int64_t mtimeSeconds = 0;
        int64_t mtimeNanoseconds = 0;
        int64_t ctimeSeconds = 0;
        int64_t ctimeNanoseconds = 0;
        uint64_t device = 0;
        uint64_t inode = 0;
        bool operator==(const Status&) const = default;
    };

private:
    // A kept scan holds its tokens' texts one after the other in one block
    // instead of a heap block for each: every header of the run stays here
    // until the run ends.
    struct Scan {
        struct Token {
            int32_t line;
            int32_t type;
            uint32_t text; // where its text starts in `texts`, or kNoText
            uint32_t length; // of the text
        };
        static constexpr uint32_t kNoText = 0xFFFFFFFFu;

        Status status;
        std::optional<uint64_t> bytesDigest;
        std::vector<Token> tokens;
        std::string texts; // NUL-terminated
        std::vector<std::pair<MessageKind, std::string>> messages;

        // Keeps tokens[from..]; false when their texts do not fit.
        bool Take(const std::vector<PPToken>& from, size_t first);
        // Appends a copy of the tokens to `out`.
        void AppendTo(std::vector<PPToken>& out) const;
    };

    std::shared_ptr<const Scan> Find(const std::string& path, const Status& status) const;
    void Keep(const std::string& path, std::shared_ptr<const Scan> scan);

    FolderListings folders_;

    mutable std::mutex mutex_;
    std::unordered_map<std::string, std::shared_ptr<const Scan>> scans_;
    mutable size_t reused_ = 0;
    size_t read_ = 0;
};
