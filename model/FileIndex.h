#pragma once

#include "SourceContent.h"
#include "SourceFile.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// The identity of a header: lower-cased path, size and modification time.
struct FileKey {
    std::string path;
    int32_t size = 0;
    int32_t mtime = 0;
};

struct FileKeyLess {
    bool operator()(const FileKey& a, const FileKey& b) const;
};

// The identity of a header by the path as given (compared lower-cased).
FileKey IdentityOf(const std::string& path, int32_t size, int32_t mtime);
FileKey IdentityOf(const CSourceFile& file);

// Numbers and owns the headers of one analysis. A header's number is its
// position in `files`. One identity may have several instances: the same
// header preprocessed differently (other macros defined before it, other
// headers read through it). An instance is only ever reused for a reading
// that gave exactly the same result (FindSame), or, where headers are reused
// by name, for the identity's first instance of the run (FirstIndex).
// Every lookup lower-cases its copy of the path; files are still opened by
// the path as given.
class CFileIndex {
public:
    CFileIndex() = default;
    CFileIndex(const CFileIndex&) = delete;
    CFileIndex& operator=(const CFileIndex&) = delete;

    // Appends the file under the next number, filed under its path, size
    // and time, and returns the number. `body` and `pathAndTokens`, when
    // known, are the file's BodyDigest and PathAndTokensWideDigest
    // (SourceContent.h), worked out already.
    int32_t Add(
        std::unique_ptr<CSourceFile> file, WideDigest body = {}, WideDigest pathAndTokens = {});
    // The PathAndTokensWideDigest file `number` was filed with, if any.
    WideDigest PathAndTokensOf(int32_t number) const;

    bool Contains(const std::string& path, int32_t size, int32_t mtime) const;
    // A filed instance of the header's identity whose content is the same
    // in every respect (see SourceContent.h), or -1. With the reading's body
    // digest, an instance of the same path, include numbers and body digest
    // is the same without a comparison of every token.
    int32_t FindSame(const CSourceFile& header, WideDigest body = {}) const;

    // A parsed instance of the header's identity, of the same path as
    // written, with the same tokens (whatever it included and defined): its
    // units are the ones the header's would be. -1 when there is none.
    int32_t FindParsedTwin(const CSourceFile& header) const;

    // Reuse by name. Each reading of a header takes a stamp when it starts;
    // of the instances offered for an identity during a run, the one whose
    // reading started first is the one later readings reuse.
    uint64_t NextReadingStamp() { return ++stamp_; }
    void OfferFirst(int32_t number, uint64_t stamp);
    // The identity's first instance in this run, or -1.
    int32_t FirstIndex(const std::string& path, int32_t size, int32_t mtime) const;
    // Starts a run: no identity has a first instance.
    void ForgetFirsts();
    // Rises whenever an identity's first instance is set or replaced.
    uint64_t FirstsChanged() const { return firstsChanged_; }

    // Withdraws file i from every lookup (it keeps its number).
    void UpdateEntry(int32_t i);
    // Files file i under another modification time (its bytes are found the
    // same as when it was read), among the instances of its new identity in
    // number order as a fresh filing would place it.
    void Restamp(int32_t i, int32_t mtime);
    // Withdraws file i from every lookup: no reading takes it any more, but
    // a parsed instance may still give its units to another of the same
    // tokens (TakeRetiredTwin) until the next Reorder.
    void Retire(int32_t i);
    // Retires every file whose place in `which` is set, as Retire does one
    // at a time, in one pass over the lookups.
    void Retire(const std::vector<bool>& which);
    // A parsed retired instance of the same path as written (whatever its
    // size and time), with the same tokens, which is then no longer offered;
    // -1 when there is none. Its units are the caller's to take. With the
    // header's PathAndTokensWideDigest, a retired instance filed with the
    // same digest and path counts as one of the same tokens.
    int32_t TakeRetiredTwin(const CSourceFile& header, WideDigest pathAndTokens = {});
    // The first halves of the PathAndTokensWideDigest of the parsed
    // instances that were filed with one and are either retired or still
    // filed: a reading of the same tokens finds its units in the one
    // (TakeRetiredTwin) or the other (FindParsedTwin), when not the same
    // instance (FindSame). Some digests may come twice.
    std::vector<uint64_t> ParsedTokenDigests() const;

    // Keeps the files whose old numbers `order` lists, numbered by their
    // place in it, and deletes the rest, or hands them to `dropped` when
    // given. Include lists are left to the caller: the result maps every
    // old number to its new one, or -1.
    std::vector<int32_t> Reorder(const std::vector<int32_t>& order,
        std::vector<std::unique_ptr<CSourceFile>>* dropped = nullptr);

    std::map<FileKey, std::vector<int32_t>, FileKeyLess> entries;
    std::vector<std::unique_ptr<CSourceFile>> files;

private:
    uint64_t Digest(int32_t number) const;
    WideDigest Body(int32_t number) const;

    struct First {
        uint64_t stamp = 0;
        int32_t number = -1;
    };

    // Body digests by file number, worked out when first asked for (0: not
    // yet). They do not depend on the numbering.
    mutable std::vector<WideDigest> bodies_;
    std::map<FileKey, First, FileKeyLess> firsts_;
    // PathAndTokensWideDigest by file number, when filed with one.
    std::vector<WideDigest> pathAndTokens_;
    // Retired instances by the path as written, and by the first half of
    // their PathAndTokensWideDigest when known.
    std::unordered_map<std::string, std::vector<int32_t>> retired_;
    std::unordered_map<uint64_t, std::vector<int32_t>> retiredByTokens_;
    uint64_t stamp_ = 0;
    uint64_t firstsChanged_ = 0;
};
