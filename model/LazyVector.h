#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <span>
#include <stdexcept>
#include <utility>
#include <vector>

// A vector that takes one pointer while it is empty: for members of detail
// records that nearly every record leaves empty (the qualifiers of a name,
// the further declarators of a declaration). Reads like a std::vector and
// converts to one for reading; its iterators are plain pointers.
template <class T> class LazyVector {
public:
    using value_type = T;
    using iterator = T*;
    using const_iterator = const T*;

    LazyVector() = default;
    LazyVector(std::initializer_list<T> values) { *this = std::vector<T>(values); }
    LazyVector(const LazyVector& other)
        : own_(other.empty() ? nullptr : std::make_unique<std::vector<T>>(*other.own_))
    {
    }
    LazyVector(LazyVector&&) noexcept = default;
    LazyVector& operator=(const LazyVector& other)
    {
        if (this != &other) {
            LazyVector copy(other);
            *this = std::move(copy);
        }
        return *this;
    }
    LazyVector& operator=(LazyVector&&) noexcept = default;
    LazyVector& operator=(std::vector<T> values)
    {
        if (values.empty()) {
            own_.reset();
        } else {
            own_ = std::make_unique<std::vector<T>>(std::move(values));
        }
        return *this;
    }
    LazyVector& operator=(std::initializer_list<T> values)
    {
        return *this = std::vector<T>(values);
    }

    // The vector itself, made when there is none yet.
    std::vector<T>& Edit()
    {
        if (!own_) {
            own_ = std::make_unique<std::vector<T>>();
        }
        return *own_;
    }
    const std::vector<T>& Read() const { return own_ ? *own_ : Empty(); }
    operator const std::vector<T>&() const { return Read(); }
    // The elements in place, for walks that change them but not their number.
    operator std::span<T>() { return {begin(), size()}; }
    operator std::span<const T>() const { return {begin(), size()}; }

    size_t size() const { return own_ ? own_->size() : 0; }
    bool empty() const { return !own_ || own_->empty(); }
    T* begin() { return own_ ? own_->data() : nullptr; }
    T* end() { return own_ ? own_->data() + own_->size() : nullptr; }
    const T* begin() const { return own_ ? own_->data() : nullptr; }
    const T* end() const { return own_ ? own_->data() + own_->size() : nullptr; }
    T& operator[](size_t i) { return (*own_)[i]; }
    const T& operator[](size_t i) const { return (*own_)[i]; }
    T& at(size_t i) { return const_cast<T&>(static_cast<const LazyVector&>(*this).at(i)); }
    const T& at(size_t i) const
    {
        if (i >= size()) {
            throw std::out_of_range("LazyVector::at: position out of range");
        }
        return (*own_)[i];
    }
    T& front() { return own_->front(); }
    const T& front() const { return own_->front(); }
    T& back() { return own_->back(); }
    const T& back() const { return own_->back(); }

    void push_back(const T& value) { Edit().push_back(value); }
    void push_back(T&& value) { Edit().push_back(std::move(value)); }
    template <class... Args> T& emplace_back(Args&&... args)
    {
        return Edit().emplace_back(std::forward<Args>(args)...);
    }
    template <class It> T* insert(const T* where, It first, It last)
    {
        if (first == last) {
            return const_cast<T*>(where);
        }
        const auto at = where ? where - begin() : 0;
        std::vector<T>& values = Edit();
        const auto placed = values.insert(values.begin() + at, first, last);
        return values.data() + (placed - values.begin());
    }
    // A hint only: room is made for more than none.
    void reserve(size_t count)
    {
        if (count > 0) {
            Edit().reserve(count);
        }
    }
    void resize(size_t count)
    {
        if (count == 0) {
            own_.reset();
        } else {
            Edit().resize(count);
        }
    }
    void pop_back() { resize(size() - 1); }
    void clear() noexcept { own_.reset(); }

    friend bool operator==(const LazyVector& a, const LazyVector& b)
    {
        return a.Read() == b.Read();
    }
    friend bool operator==(const LazyVector& a, const std::vector<T>& b) { return a.Read() == b; }

private:
    static const std::vector<T>& Empty()
    {
        static const std::vector<T> empty;
        return empty;
    }

    std::unique_ptr<std::vector<T>> own_;
};
