#include "ScannedFiles.h"

#include "SourceFile.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include <sys/stat.h>

namespace {

// The status of a regular file, or nothing.
bool RegularFileStatus(const std::string& path, ScannedFiles::Status& out)
{
    struct stat status { };
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return false;
    }
    out.size = static_cast<int64_t>(status.st_size);
    out.mtimeSeconds = static_cast<int64_t>(status.st_mtim.tv_sec);
    out.mtimeNanoseconds = static_cast<int64_t>(status.st_mtim.tv_nsec);
    out.ctimeSeconds = static_cast<int64_t>(status.st_ctim.tv_sec);
    out.ctimeNanoseconds = static_cast<int64_t>(status.st_ctim.tv_nsec);
    out.device = static_cast<uint64_t>(status.st_dev);
    out.inode = static_cast<uint64_t>(status.st_ino);
    return true;
}

int32_t ClampToInt32(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(
        value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// Keeps the lines a scan writes, and hands each on at once.
class RecordingSink : public MessageSink {
public:
    explicit RecordingSink(MessageSink& out) : out_(out) { }
    void Write(MessageKind kind, std::string_view line) override
    {
        lines.emplace_back(kind, std::string(line));
        out_.Write(kind, line);
    }
    std::vector<std::pair<MessageKind, std::string>> lines;

private:
    MessageSink& out_;
};

} // namespace

bool ScannedFiles::Load(CSourceFile& file, const CTokenScanner& scanner, MessageSink& messages)
{
    Status before;
    const bool regular = RegularFileStatus(file.path, before);
    if (regular) {
        if (const std::shared_ptr<const Scan> kept = Find(file.path, before)) {
            // The same version as read before: size and time as a fresh
            // status query gives them, a copy of the tokens, the same lines.
            file.size = ClampToInt32(before.size);
            file.mtime = ClampToInt32(before.mtimeSeconds);
            file.scan.fileName = file.path;
            file.scan.bytesDigest = kept->bytesDigest;
            kept->AppendTo(file.scan.tokens);
            for (const auto& [kind, line] : kept->messages) {
                messages.Write(kind, line);
            }
            return true;
        }
    }
    {
        std::lock_guard lock(mutex_);
        ++read_;
    }
    if (!file.RefreshFileInfo()) {
        if (!WriteSourceReadFailure(file.path, messages)) {
            WriteFileOpenFailure(file.path, messages);
        }
        return false;
    }
    RecordingSink recording(messages);
    const size_t from = file.scan.tokens.size();
    const bool scanned = file.scan.Tokenize(file.path.c_str(), scanner, recording);
    // Kept only when the file stayed the same version all through the read,
    // and read to its end: a scan the stop request may have cut short is
    // never handed to another reading, which may well not be stopped.
    Status after;
    if (scanned && !scanner.StopRequested() && regular && RegularFileStatus(file.path, after) &&
        after == before) {
        auto scan = std::make_shared<Scan>();
        scan->status = before;
        scan->bytesDigest = file.scan.bytesDigest;
        if (scan->Take(file.scan.tokens, from)) {
            scan->messages = std::move(recording.lines);
            Keep(file.path, std::move(scan));
        }
    }
    return true;
}

bool ScannedFiles::Scan::Take(const std::vector<PPToken>& from, size_t first)
{
    size_t bytes = 0;
    for (size_t i = first; i < from.size(); ++i) {
        if (from[i].text) {
            bytes += std::strlen(from[i].text) + 1;
        }
    }
    if (bytes >= kNoText) {
        return false;
    }
    tokens.reserve(from.size() - std::min(first, from.size()));
    texts.reserve(bytes);
    for (size_t i = first; i < from.size(); ++i) {
        const PPToken& token = from[i];
        uint32_t at = kNoText;
        size_t length = 0;
        if (token.text) {
            at = static_cast<uint32_t>(texts.size());
            length = std::strlen(token.text);
            texts.append(token.text, length + 1);
        }
        tokens.push_back({token.line, token.type, at, static_cast<uint32_t>(length)});
    }
    return true;
}

void ScannedFiles::Scan::AppendTo(std::vector<PPToken>& out) const
{
    out.reserve(out.size() + tokens.size());
    for (const Token& token : tokens) {
        if (token.text == kNoText) {
            out.emplace_back(token.line, token.type, nullptr);
        } else {
            out.emplace_back(token.line, token.type, texts.data() + token.text, token.length);
        }
    }
}

std::shared_ptr<const ScannedFiles::Scan> ScannedFiles::Find(
    const std::string& path, const Status& status) const
{
    std::lock_guard lock(mutex_);
    auto found = scans_.find(path);
    if (found == scans_.end() || found->second->status != status) {
        return nullptr;
    }
    ++reused_;
    return found->second;
}

void ScannedFiles::Keep(const std::string& path, std::shared_ptr<const Scan> scan)
{
    std::lock_guard lock(mutex_);
    scans_[path] = std::move(scan);
}

void ScannedFiles::Clear()
{
    folders_.Clear();
    std::lock_guard lock(mutex_);
    scans_.clear();
    reused_ = 0;
    read_ = 0;
}

void ScannedFiles::Clear(BackgroundDisposal& disposal) noexcept
{
    folders_.Clear();
    std::unordered_map<std::string, std::shared_ptr<const Scan>> kept;
    {
        std::lock_guard lock(mutex_);
        kept.swap(scans_);
        reused_ = 0;
        read_ = 0;
    }
    try {
        if (!kept.empty()) {
            disposal.DisposeOf(std::move(kept));
        }
    } catch (...) {
        // freed here, on leaving
    }
}

size_t ScannedFiles::Reused() const
{
    std::lock_guard lock(mutex_);
    return reused_;
}

size_t ScannedFiles::Read() const
{
    std::lock_guard lock(mutex_);
    return read_;
}
