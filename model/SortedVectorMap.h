#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <stdexcept>
#include <utility>
#include <vector>

// A map kept as one vector of entries sorted by key: for a table that is
// filled once, in key order or nearly so, and afterwards only looked up. An
// entry takes the room of its key and value and nothing else, where a tree
// gives each its own heap block with three links besides; a model may list
// hundreds of thousands of functions. Adding a key at the end costs no
// search; adding one elsewhere moves the entries after it, and moves
// entries in memory, so references to entries last only until the next
// addition.
template <class Key, class Value, class Less = std::less<Key>> class SortedVectorMap {
public:
    using value_type = std::pair<Key, Value>;
    using iterator = typename std::vector<value_type>::iterator;
    using const_iterator = typename std::vector<value_type>::const_iterator;

    iterator begin() { return entries_.begin(); }
    iterator end() { return entries_.end(); }
    const_iterator begin() const { return entries_.begin(); }
    const_iterator end() const { return entries_.end(); }
    bool empty() const { return entries_.empty(); }
    size_t size() const { return entries_.size(); }

    // Forgets every entry and gives their room back.
    void clear() { std::vector<value_type>().swap(entries_); }
    void reserve(size_t count) { entries_.reserve(count); }
    // Gives back the room reserved beyond the entries when it is more than
    // an eighth of theirs: giving it back copies them, and less is not worth
    // the copy.
    void shrink_to_fit()
    {
        if (entries_.capacity() - entries_.size() > entries_.size() / 8) {
            entries_.shrink_to_fit();
        }
    }

    // The entry of `key`, or end().
    iterator find(const Key& key)
    {
        const iterator at = LowerBound(key);
        return at != end() && !Less {}(key, at->first) ? at : end();
    }
    const_iterator find(const Key& key) const
    {
        return const_cast<SortedVectorMap*>(this)->find(key);
    }
    // The value of `key`; throws std::out_of_range when there is none.
    const Value& at(const Key& key) const
    {
        const const_iterator found = find(key);
        if (found == end()) {
            throw std::out_of_range("SortedVectorMap::at");
        }
        return found->second;
    }
    // The entry of `key`, made with a value from `args` when there is none;
    // the bool says whether it was made.
    template <class... Args> std::pair<iterator, bool> try_emplace(const Key& key, Args&&... args)
    {
        iterator at = end();
        if (!entries_.empty() && !Less {}(entries_.back().first, key)) {
            at = LowerBound(key);
            if (!Less {}(key, at->first)) {
                return {at, false};
            }
        }
        at = entries_.emplace(at, std::piecewise_construct, std::forward_as_tuple(key),
            std::forward_as_tuple(std::forward<Args>(args)...));
        return {at, true};
    }
    Value& operator[](const Key& key) { return try_emplace(key).first->second; }

private:
    iterator LowerBound(const Key& key)
    {
        return std::lower_bound(
            begin(), end(), key, [](const value_type& entry, const Key& sought) {
                return Less {}(entry.first, sought);
            });
    }

    std::vector<value_type> entries_;
};
