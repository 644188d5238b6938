#pragma once

#include "FileIndex.h"
#include "MacroTable.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <shared_mutex>
#include <unordered_map>
#include <vector>

// A header reused by name that a reading ahead of the run took from a file
// before it: the identity, the reading's own number for it (a stand-in
// without tokens), the run's number of the instance taken, and whether a
// reading below that instance was cut short.
struct TakenFirst {
    FileKey identity;
    int32_t local = -1;
    int32_t number = -1;
    bool cut = false;
};

// Where headers are reused by name, an include takes the first instance a
// file before it filed of the header, and only a file that finds none reads
// the header itself: a file's reading depends on the files before it. The
// run tells here the first instances of each file it has filed, and readings
// ahead of it take them from here as the run would from its index. A
// reading that meets a header no file has filed yet waits while a file
// before it that began reading the same header is not filed; with none, it
// reads the header itself and claims it for the files after it. The run
// checks each reading against its index before filing it (a file before it
// may still have read the header), so a wrong guess costs time only.
//
// The instances handed out belong to the run's index: their macros and
// includes do not change while the run reads files. Readings copy from them
// only until Stop, which waits for the copies under way, so that the run
// may change them afterwards.
class EarlierFirsts {
public:
    // The run's side. Tells the first instance of each identity (every
    // instance it reaches, too) as the index holds it now.
    void Publish(const CFileIndex& index, const std::set<FileKey, FileKeyLess>& identities);
    // Every file before `order` in the readings' order is filed.
    void FiledBefore(size_t order);
    // Hands out nothing more; returns once no reading copies from an
    // instance.
    void Stop();

    // A reading's side, for the file at `order`: the run's number of the
    // identity's first instance, or -1 when the reading is to read the
    // header itself. Waits (until `stop` is set, at the latest) while a file
    // before it has claimed the identity and is not filed; `waited` is set
    // when it did.
    int32_t Find(
        const FileKey& identity, size_t order, const std::atomic<bool>& stop, bool& waited);
    // Visits the macro tables of the instance `number` and of every
    // instance reachable through its includes, each once, in the order a
    // depth-first walk of the includes meets them; returns whether a
    // reading among them was cut short. False, with nothing visited, once
    // stopped.
    bool CopyReached(
        int32_t number, const std::function<void(const MacroTable&)>& visit, bool& cut) const;

private:
    struct Instance {
        const MacroTable* macros = nullptr;
        const std::vector<int32_t>* includes = nullptr;
        bool cut = false;
    };
    void PublishReached(const CFileIndex& index, int32_t number);
    std::vector<Instance> Reached(int32_t number) const;

    mutable std::shared_mutex mutex_;
    // Readings copying from instances now; Stop waits until none is.
    mutable std::atomic<int> copying_ {0};
    std::atomic<bool> stopped_ {false};
    std::condition_variable_any changed_;
    std::map<FileKey, int32_t, FileKeyLess> firsts_;
    std::map<FileKey, size_t, FileKeyLess> claims_; // by the earliest reading
    std::unordered_map<int32_t, Instance> instances_;
    size_t filedBefore_ = 0;
};
