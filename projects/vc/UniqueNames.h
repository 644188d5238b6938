#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

// Names in the order they were first added, each held once: the sources or
// projects a Visual C++ file names, which a damaged or generated file may
// repeat millions of times.
class UniqueNames {
public:
    UniqueNames();
    // The index refers to the list it belongs to.
    UniqueNames(const UniqueNames&) = delete;
    UniqueNames& operator=(const UniqueNames&) = delete;

    // Adds the name unless it is there already; false then.
    bool Add(std::string_view name);
    const std::vector<std::string>& Names() const { return names_; }

private:
    struct Hash {
        const std::vector<std::string>* names;
        size_t operator()(size_t index) const;
    };
    struct Same {
        const std::vector<std::string>* names;
        bool operator()(size_t a, size_t b) const { return (*names)[a] == (*names)[b]; }
    };

    std::vector<std::string> names_;
    // Positions in names_, hashed by the name there.
    std::unordered_set<size_t, Hash, Same> index_;
};
