#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <memory>
#include <span>
#include <utility>
#include <vector>

// A sorted set of owned objects, kept as a row of sorted chunks of pointers
// rather than a node per object: a model element's children, of which a
// file of plain declarations makes millions under one parent. A child costs
// about a pointer and a quarter instead of a tree node, and finding or
// adding one is a binary search over the chunks' last objects, then one
// within a chunk, where an addition shifts at most a chunk's pointers.
//
// `Less` compares objects, and keys of other types with objects. No two
// objects are equivalent under it. Iteration yields pointers to the objects
// in order; adding invalidates iterators, never the objects.
template <class T, class Less> class ChunkedSet {
    using Chunk = std::vector<T*>;

public:
    // The most pointers a chunk holds.
    static constexpr size_t kChunkSize = 512;
    // The room a new chunk starts with, and the least it grows by.
    static constexpr size_t kFirstRoom = 4;

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T*;
        using difference_type = std::ptrdiff_t;
        using pointer = T* const*;
        using reference = T* const&;

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
    ~ChunkedSet()
    {
        for (Chunk& chunk : chunks_) {
            for (T* object : chunk) {
                delete object;
            }
        }
    }

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

    // The objects in order, a chunk's at a time: a walk cut into runs of
    // chunks needs no list of every object.
    std::vector<std::span<T* const>> Spans() const
    {
        std::vector<std::span<T* const>> spans;
        spans.reserve(chunks_.size());
        for (const Chunk& chunk : chunks_) {
            spans.emplace_back(chunk.data(), chunk.size());
        }
        return spans;
    }

    // The pointers the chunks have room for, filled or not: for tests.
    size_t Room() const
    {
        size_t room = 0;
        for (const Chunk& chunk : chunks_) {
            room += chunk.capacity();
        }
        return room;
    }

    // The object equivalent to `key`, or none.
    template <class Key> T* Find(const Key& key) const
    {
        const auto [chunk, at] = Place(key);
        if (chunk == chunks_.size() || at == chunks_[chunk].size()) {
            return nullptr;
        }
        T* found = chunks_[chunk][at];
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
            return chunks_[chunk][at];
        }
        // Whatever throws leaves the set as it was (and frees the object).
        std::unique_ptr<T> added = make();
        if (chunks_.empty()) {
            Chunk first;
            first.reserve(kFirstRoom);
            chunks_.push_back(std::move(first));
            chunk = at = 0;
        } else if (chunk == chunks_.size()) {
            chunk = chunks_.size() - 1; // past every object: the last chunk's end
            at = chunks_[chunk].size();
        }
        if (chunks_[chunk].size() == kChunkSize) {
            MakeRoom(chunk, at);
        }
        Chunk& into = chunks_[chunk];
        Reserve(into, into.size() + 1);
        into.insert(into.begin() + static_cast<std::ptrdiff_t>(at), added.get());
        ++size_;
        return added.release();
    }

private:
    // The chunk and position the first object not less than `key` has (or
    // would have): chunk == chunks_.size() when every object is less.
    template <class Key> std::pair<size_t, size_t> Place(const Key& key) const
    {
        const auto chunk = std::partition_point(chunks_.begin(), chunks_.end(),
            [&key](const Chunk& c) { return Less()(*c.back(), key); });
        if (chunk == chunks_.end()) {
            return {chunks_.size(), 0};
        }
        const auto at = std::partition_point(
            chunk->begin(), chunk->end(), [&key](const T* o) { return Less()(*o, key); });
        return {
            static_cast<size_t>(chunk - chunks_.begin()), static_cast<size_t>(at - chunk->begin())};
    }

    // Room for `count` pointers, grown in steps of a quarter: a chunk that
    // stops growing keeps little room.
    static void Reserve(Chunk& chunk, size_t count)
    {
        if (count > chunk.capacity()) {
            chunk.reserve(std::min(kChunkSize,
                std::max(count, chunk.size() + std::max(kFirstRoom, chunk.size() / 4))));
        }
    }

    // Makes room for an object at `at` in the full chunk `chunk`; `chunk`
    // and `at` then name where it goes. A neighbour with room takes the
    // object or the chunk's object at that end, so that chunks fill up before
    // one is cut in two; otherwise the chunk is cut where the object goes
    // (after its last object: a new chunk is started), but never so near an
    // end that a part holds only a few.
    void MakeRoom(size_t& chunk, size_t& at)
    {
        if (chunk > 0 && chunks_[chunk - 1].size() < kChunkSize) {
            Chunk& before = chunks_[chunk - 1];
            Reserve(before, before.size() + 1);
            if (at == 0) {
                --chunk;
                at = before.size();
                return;
            }
            Chunk& full = chunks_[chunk];
            before.push_back(full.front());
            full.erase(full.begin());
            --at;
            return;
        }
        if (chunk + 1 < chunks_.size() && chunks_[chunk + 1].size() < kChunkSize) {
            Chunk& after = chunks_[chunk + 1];
            Reserve(after, after.size() + 1);
            if (at == kChunkSize) {
                ++chunk;
                at = 0;
                return;
            }
            Chunk& full = chunks_[chunk];
            after.insert(after.begin(), full.back());
            full.pop_back();
            return;
        }
        const bool atEnd = at == kChunkSize;
        const size_t keep =
            atEnd ? kChunkSize : std::clamp(at, kChunkSize / 8, kChunkSize - kChunkSize / 8);
        const auto next = chunks_.begin() + static_cast<std::ptrdiff_t>(chunk) + 1;
        Chunk& rest = *chunks_.insert(next, Chunk());
        try {
            rest.reserve(kChunkSize - keep + kFirstRoom);
        } catch (...) {
            chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(chunk) + 1);
            throw;
        }
        Chunk& full = chunks_[chunk];
        rest.insert(rest.end(), full.begin() + static_cast<std::ptrdiff_t>(keep), full.end());
        full.resize(keep);
        if (at > keep || (at == keep && atEnd)) {
            ++chunk;
            at -= keep;
        }
    }

    std::vector<Chunk> chunks_; // none empty but while an object is added
    size_t size_ = 0;
};
