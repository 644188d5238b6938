#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

// A sorted set of owned objects, kept as a row of sorted chunks of pointers
// rather than a node per object: a model element's children, of which a
// file of plain declarations makes millions under one parent. A child costs
// about a pointer and a half instead of a tree node, and finding or adding
// one is a binary search over the chunks' last objects, then one within a
// chunk, where an addition shifts at most a chunk's pointers.
//
// `Less` orders objects (through the owning pointers) and is transparent:
// keys of another type are compared with the objects as they are. No two
// objects are equivalent under it. Iteration yields the owning pointers in
// order; adding invalidates iterators, never the objects.
template <class T, class Less> class ChunkedSet {
    using Chunk = std::vector<std::unique_ptr<T>>;

public:
    // The most pointers a chunk holds before it is cut in two.
    static constexpr size_t kChunkSize = 512;
    // The room a new chunk starts with, and the least it grows by.
    static constexpr size_t kFirstRoom = 4;

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::unique_ptr<T>;
        using difference_type = std::ptrdiff_t;
        using pointer = const std::unique_ptr<T>*;
        using reference = const std::unique_ptr<T>&;

        const_iterator() = default;
        const_iterator(const Chunk* chunk, const Chunk* last, size_t at)
            : chunk_(chunk), last_(last), at_(at)
        {
        }

        reference operator*() const { return (*chunk_)[at_]; }
        pointer operator->() const { return &(*chunk_)[at_]; }
        const_iterator& operator++()
        {
            if (++at_ == chunk_->size() && chunk_ != last_) {
                ++chunk_;
                at_ = 0;
            }
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++*this;
            return before;
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b)
        {
            return a.chunk_ == b.chunk_ && a.at_ == b.at_;
        }

    private:
        const Chunk* chunk_ = nullptr;
        const Chunk* last_ = nullptr; // the last chunk: its end is the set's end
        size_t at_ = 0;
    };
    using iterator = const_iterator;

    ChunkedSet() = default;
    ChunkedSet(const ChunkedSet&) = delete;
    ChunkedSet& operator=(const ChunkedSet&) = delete;
    ChunkedSet(ChunkedSet&&) noexcept = default;
    ChunkedSet& operator=(ChunkedSet&&) noexcept = default;

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const_iterator begin() const
    {
        return chunks_.empty() ? const_iterator()
                               : const_iterator(chunks_.data(), &chunks_.back(), 0);
    }
    const_iterator end() const
    {
        return chunks_.empty()
            ? const_iterator()
            : const_iterator(&chunks_.back(), &chunks_.back(), chunks_.back().size());
    }

    // The object equivalent to `key`, or none.
    template <class Key> T* Find(const Key& key) const
    {
        const auto [chunk, at] = Place(key);
        if (chunk == chunks_.size() || at == chunks_[chunk].size()) {
            return nullptr;
        }
        T* found = chunks_[chunk][at].get();
        return Less()(key, *found) ? nullptr : found;
    }

    // The object equivalent to `key`; when there is none, the one `make()`
    // returns (a std::unique_ptr<T> to an object equivalent to `key`) is
    // added and returned.
    template <class Key, class Make> T* FindOrAdd(const Key& key, Make make)
    {
        auto [chunk, at] = Place(key);
        if (chunk < chunks_.size() && at < chunks_[chunk].size() &&
            !Less()(key, *chunks_[chunk][at])) {
            return chunks_[chunk][at].get();
        }
        // Whatever throws leaves the set as it was (and frees the object).
        std::unique_ptr<T> added = make();
        T* object = added.get();
        if (chunks_.empty()) {
            Chunk first;
            first.reserve(kFirstRoom);
            first.push_back(std::move(added));
            chunks_.push_back(std::move(first));
            size_ = 1;
            return object;
        }
        if (chunk == chunks_.size()) {
            chunk = chunks_.size() - 1; // past every object: the last chunk's end
            at = chunks_[chunk].size();
        }
        if (chunks_[chunk].size() == kChunkSize) {
            Split(chunk, at);
        }
        Chunk& into = chunks_[chunk];
        if (into.size() == into.capacity()) {
            // Steps of a quarter: a chunk that stops growing keeps little room.
            into.reserve(std::min(kChunkSize, into.size() + std::max(kFirstRoom, into.size() / 4)));
        }
        into.insert(into.begin() + static_cast<std::ptrdiff_t>(at), std::move(added));
        ++size_;
        return object;
    }

private:
    // The chunk and position the first object not less than `key` has (or
    // would have): chunk == chunks_.size() when every object is less.
    template <class Key> std::pair<size_t, size_t> Place(const Key& key) const
    {
        const auto chunk = std::partition_point(chunks_.begin(), chunks_.end(),
            [&key](const Chunk& c) { return Less()(c.back(), key); });
        if (chunk == chunks_.end()) {
            return {chunks_.size(), 0};
        }
        const auto at = std::partition_point(
            chunk->begin(), chunk->end(), [&key](const auto& o) { return Less()(o, key); });
        return {
            static_cast<size_t>(chunk - chunks_.begin()), static_cast<size_t>(at - chunk->begin())};
    }

    // Makes room in the full chunk `chunk` for an object at `at`, which then
    // names the chunk and position it goes to. After its last object a new
    // chunk is started, so that objects added in order fill their chunks;
    // elsewhere the chunk is cut in halves.
    void Split(size_t& chunk, size_t& at)
    {
        const bool atEnd = at == kChunkSize;
        const size_t keep = atEnd ? kChunkSize : kChunkSize / 2;
        const auto next = chunks_.begin() + static_cast<std::ptrdiff_t>(chunk) + 1;
        Chunk& rest = *chunks_.insert(next, Chunk());
        try {
            rest.reserve(atEnd ? kFirstRoom : kChunkSize - keep + kFirstRoom);
        } catch (...) {
            chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(chunk) + 1);
            throw;
        }
        Chunk& full = chunks_[chunk];
        std::move(
            full.begin() + static_cast<std::ptrdiff_t>(keep), full.end(), std::back_inserter(rest));
        full.resize(keep);
        if (at > keep || (at == keep && atEnd)) {
            ++chunk;
            at -= keep;
        }
    }

    std::vector<Chunk> chunks_; // none empty
    size_t size_ = 0;
};
