#pragma once

#include <cstddef>
#include <memory>
#include <utility>

// A standard set or map that takes one pointer until something is put in
// it: for members of model elements that stay empty on nearly all of them
// (the holders a type linker finds, the root's function map). Reading an
// empty one reads a shared empty container.
template <class Container> class LazyContainer {
public:
    using const_iterator = typename Container::const_iterator;

    LazyContainer() = default;
    LazyContainer(const LazyContainer&) = delete;
    LazyContainer& operator=(const LazyContainer&) = delete;
    LazyContainer(LazyContainer&&) noexcept = default;
    LazyContainer& operator=(LazyContainer&&) noexcept = default;

    // The container itself, made when there is none yet.
    Container& Edit()
    {
        if (!own_) {
            own_ = std::make_unique<Container>();
        }
        return *own_;
    }
    const Container& Read() const { return own_ ? *own_ : Empty(); }

    bool empty() const { return !own_ || own_->empty(); }
    size_t size() const { return own_ ? own_->size() : 0; }
    const_iterator begin() const { return Read().begin(); }
    const_iterator end() const { return Read().end(); }
    auto rbegin() const { return Read().rbegin(); }
    auto rend() const { return Read().rend(); }
    template <class Key> const_iterator find(const Key& key) const { return Read().find(key); }
    template <class Key> size_t count(const Key& key) const { return Read().count(key); }
    template <class Key> const auto& at(const Key& key) const { return Read().at(key); }
    template <class Value> auto insert(Value&& value)
    {
        return Edit().insert(std::forward<Value>(value));
    }
    template <class Key> auto& operator[](Key&& key) { return Edit()[std::forward<Key>(key)]; }
    // Gives the memory back too.
    void clear() noexcept { own_.reset(); }

private:
    static const Container& Empty()
    {
        static const Container empty;
        return empty;
    }

    std::unique_ptr<Container> own_;
};
