#include "EarlierFirsts.h"

#include <chrono>
#include <mutex>
#include <thread>
#include <utility>

void EarlierFirsts::Publish(
    const CFileIndex& index, const std::set<FileKey, FileKeyLess>& identities)
{
    if (identities.empty()) {
        return;
    }
    {
        std::unique_lock lock(mutex_);
        if (stopped_) {
            return;
        }
        for (const FileKey& identity : identities) {
            const int32_t number = index.FirstIndex(identity.path, identity.size, identity.mtime);
            if (number < 0) {
                continue;
            }
            PublishReached(index, number);
            firsts_[identity] = number;
        }
    }
    changed_.notify_all();
}

void EarlierFirsts::PublishReached(const CFileIndex& index, int32_t number)
{
    // An instance is told with everything it reaches, so the walk ends at
    // one told before.
    std::vector<int32_t> pending {number};
    while (!pending.empty()) {
        const int32_t k = pending.back();
        pending.pop_back();
        if (k < 0 || static_cast<size_t>(k) >= index.files.size() || !index.files[k] ||
            instances_.count(k) != 0) {
            continue;
        }
        const CSourceFile& file = *index.files[k];
        instances_.emplace(k, Instance {&file.macros, &file.includes, file.readingCut});
        pending.insert(pending.end(), file.includes.begin(), file.includes.end());
    }
}

void EarlierFirsts::FiledBefore(size_t order)
{
    {
        std::unique_lock lock(mutex_);
        filedBefore_ = order;
    }
    changed_.notify_all();
}

void EarlierFirsts::Stop()
{
    {
        std::unique_lock lock(mutex_);
        stopped_ = true;
        firsts_.clear();
        instances_.clear();
    }
    changed_.notify_all();
    // A copy that began before the flag was set ends soon: it only copies
    // handles of definitions.
    while (copying_.load() > 0) {
        std::this_thread::yield();
    }
}

int32_t EarlierFirsts::Find(
    const FileKey& identity, size_t order, const std::atomic<bool>& stop, bool& waited)
{
    {
        std::shared_lock lock(mutex_);
        auto first = firsts_.find(identity);
        if (first != firsts_.end()) {
            return first->second;
        }
    }
    std::unique_lock lock(mutex_);
    for (;;) {
        if (stopped_ || stop.load(std::memory_order_relaxed)) {
            return -1;
        }
        auto first = firsts_.find(identity);
        if (first != firsts_.end()) {
            return first->second;
        }
        auto claim = claims_.find(identity);
        if (claim == claims_.end() || claim->second >= order || claim->second < filedBefore_) {
            // No file before this one is reading it, or the one that was
            // is filed without a first instance: read it here.
            if (claim == claims_.end() || claim->second > order) {
                claims_[identity] = order;
            }
            return -1;
        }
        // A stop reaches a waiting reading within a few milliseconds.
        waited = true;
        changed_.wait_for(lock, std::chrono::milliseconds(10));
    }
}

bool EarlierFirsts::CopyReached(
    int32_t number, const std::function<void(const MacroTable&)>& visit, bool& cut) const
{
    // Counted before the flag is looked at, so that Stop, which sets the
    // flag before it looks at the count, waits for this copy.
    struct Copying {
        std::atomic<int>& count;
        explicit Copying(std::atomic<int>& count) : count(count) { ++count; }
        ~Copying() { --count; }
    } copying(copying_);
    if (stopped_) {
        return false;
    }
    std::vector<Instance> reached = Reached(number);
    cut = false;
    for (const Instance& instance : reached) {
        visit(*instance.macros);
        cut = cut || instance.cut;
    }
    return true;
}

std::vector<EarlierFirsts::Instance> EarlierFirsts::Reached(int32_t number) const
{
    // Depth first, each instance before the ones it includes, as the run
    // copies them from its index.
    std::shared_lock lock(mutex_);
    struct Frame {
        const Instance* instance;
        size_t next;
    };
    std::vector<Instance> reached;
    std::set<int32_t> visited;
    std::vector<Frame> stack;
    const auto enter = [&](int32_t k) {
        auto found = instances_.find(k);
        if (found == instances_.end() || !visited.insert(k).second) {
            return;
        }
        reached.push_back(found->second);
        stack.push_back({&found->second, 0});
    };
    enter(number);
    while (!stack.empty()) {
        const size_t top = stack.size() - 1;
        if (stack[top].next < stack[top].instance->includes->size()) {
            enter((*stack[top].instance->includes)[stack[top].next++]);
        } else {
            stack.pop_back();
        }
    }
    return reached;
}
