#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

class CUnit;

// The units a statement item stands for. Nearly every item has one or two
// (its own, a do loop's while, a short run), so those are kept in the item
// itself; a longer run moves them all to the heap. Reads like a vector of
// unit pointers.
class CFlowUnits {
public:
    using value_type = CUnit*;
    using iterator = CUnit**;
    using const_iterator = CUnit* const*;

    CFlowUnits() = default;
    CFlowUnits(const CFlowUnits& other) = default;
    // A moved-from list is empty.
    CFlowUnits(CFlowUnits&& other) noexcept
        : inline_ {other.inline_[0], other.inline_[1]},
          size_(other.size_),
          spilled_(std::move(other.spilled_))
    {
        other.size_ = 0;
    }
    CFlowUnits& operator=(const CFlowUnits& other) = default;
    CFlowUnits& operator=(CFlowUnits&& other) noexcept
    {
        if (this == &other)
            return *this;
        inline_[0] = other.inline_[0];
        inline_[1] = other.inline_[1];
        size_ = other.size_;
        spilled_ = std::move(other.spilled_);
        other.size_ = 0;
        other.spilled_.clear();
        return *this;
    }

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    CUnit** begin() { return Data(); }
    CUnit** end() { return Data() + size_; }
    CUnit* const* begin() const { return Data(); }
    CUnit* const* end() const { return Data() + size_; }
    CUnit* operator[](size_t i) const { return Data()[i]; }
    CUnit* front() const { return Data()[0]; }
    CUnit* back() const { return Data()[size_ - 1]; }
    void push_back(CUnit* unit)
    {
        if (spilled_.empty() && size_ < kInline)
            inline_[size_++] = unit;
        else
            PushSpilled(unit);
    }

    operator std::vector<CUnit*>() const { return {begin(), end()}; }

private:
    static constexpr uint32_t kInline = 2;

    void PushSpilled(CUnit* unit);
    CUnit** Data() { return spilled_.empty() ? inline_ : spilled_.data(); }
    CUnit* const* Data() const { return spilled_.empty() ? inline_ : spilled_.data(); }

    CUnit* inline_[kInline] = {};
    uint32_t size_ = 0;
    std::vector<CUnit*> spilled_; // all of them once there are more than kInline
};
