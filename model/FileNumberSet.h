#pragma once

#include "TokenIndices.h"

#include <algorithm>
#include <cstdint>
#include <vector>

// The numbers of the files that define a model element, in ascending order,
// each once. An element has one or a few; numbers are handed out in the
// order files are merged, so a new one nearly always goes at the end. Kept
// in the eight bytes of a position list (a single number or a run of
// consecutive ones needs no heap block).
class FileNumberSet {
public:
    using const_iterator = TokenIndices::const_iterator;

    void insert(int32_t number)
    {
        if (numbers_.empty() || number > numbers_.back()) {
            numbers_.push_back(number);
            return;
        }
        const auto place = std::lower_bound(numbers_.begin(), numbers_.end(), number);
        if (place != numbers_.end() && *place == number) {
            return;
        }
        std::vector<int> all(numbers_.begin(), numbers_.end());
        all.insert(all.begin() + (place - numbers_.begin()), number);
        numbers_.assign(all.begin(), all.end());
    }
    size_t count(int32_t number) const
    {
        return std::binary_search(numbers_.begin(), numbers_.end(), number) ? 1 : 0;
    }
    size_t size() const { return numbers_.size(); }
    bool empty() const { return numbers_.empty(); }
    const_iterator begin() const { return numbers_.begin(); }
    const_iterator end() const { return numbers_.end(); }

private:
    TokenIndices numbers_;
};
