#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <unordered_map>

// How the trial parses of one unit ended, by rule and token position. While
// the parser guesses, a rule does nothing but read tokens, so an attempt of
// a rule at a position always ends the same way: it fails, or it succeeds
// after the same tokens. Remembering that keeps nested trials (a predicate
// that parses an operand and then parses it again, at every level of nested
// parentheses) from repeating each other's work.
class RuleAttempts {
public:
    static constexpr int kUnknown = -2;
    static constexpr int kFailed = -1;

    // The position after a remembered success, kFailed, or kUnknown.
    int Find(const void* rule, int position) const
    {
        auto found = ends_.find(Key {rule, position});
        return found == ends_.end() ? kUnknown : found->second;
    }

    // `end` is the position after the rule's tokens, or kFailed.
    void Note(const void* rule, int position, int end) { ends_[Key {rule, position}] = end; }

    std::size_t Size() const { return ends_.size(); }

private:
    struct Key {
        const void* rule;
        int position;
        bool operator==(const Key& other) const
        {
            return rule == other.rule && position == other.position;
        }
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const
        {
            return std::hash<const void*>()(key.rule) ^
                (static_cast<std::size_t>(key.position) * 0x9E3779B97F4A7C15ull);
        }
    };
    std::unordered_map<Key, int, KeyHash> ends_;
};
