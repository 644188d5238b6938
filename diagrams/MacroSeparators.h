#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

// The dividing lines of a class, struct or union box: y offsets below its
// caption, one for each change of member kind. Most boxes have none and
// then take a single pointer, for a tree may have millions of boxes.
class MacroSeparators {
public:
    using value_type = int;
    using iterator = const int*;
    using const_iterator = const int*;

    MacroSeparators() = default;
    MacroSeparators(const MacroSeparators& other)
        : list_(other.list_ ? std::make_unique<std::vector<int>>(*other.list_) : nullptr)
    {
    }
    MacroSeparators& operator=(const MacroSeparators& other)
    {
        if (this != &other)
            list_ = other.list_ ? std::make_unique<std::vector<int>>(*other.list_) : nullptr;
        return *this;
    }
    MacroSeparators(MacroSeparators&&) noexcept = default;
    MacroSeparators& operator=(MacroSeparators&&) noexcept = default;
    ~MacroSeparators() = default;

    MacroSeparators& operator=(std::vector<int> offsets)
    {
        if (offsets.empty())
            list_.reset();
        else
            list_ = std::make_unique<std::vector<int>>(std::move(offsets));
        return *this;
    }

    bool empty() const { return !list_; }
    size_t size() const { return list_ ? list_->size() : 0; }
    const int* begin() const { return list_ ? list_->data() : nullptr; }
    const int* end() const { return list_ ? list_->data() + list_->size() : nullptr; }
    int operator[](size_t i) const { return (*list_)[i]; }
    void clear() { list_.reset(); }

    friend bool operator==(const MacroSeparators& a, const MacroSeparators& b)
    {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
    }
    friend bool operator==(const MacroSeparators& a, const std::vector<int>& b)
    {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
    }

private:
    std::unique_ptr<std::vector<int>> list_; // null when there are none
};
