#pragma once

#include "MacroDef.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// A macro definition as the macro tables hold it: made once, never changed,
// and shared by every table that holds it. The same definitions are visible
// in every file that includes the header making them, so a table holds
// handles and copying a table (or an entry) copies pointers. A #define or
// #undef in one table replaces or drops that table's handle and leaves the
// definition alone for the others.
//
// The count of holders is atomic: tables are made, written and freed on
// several threads, and the last holder frees the definition, on whichever
// thread that is. A handle made by default stands for the empty
// object-like definition and holds nothing.
class SharedMacro {
public:
    SharedMacro() noexcept = default;
    explicit SharedMacro(CMacroDef definition);
    SharedMacro(const SharedMacro& other) noexcept : shared_(other.shared_) { Hold(); }
    SharedMacro(SharedMacro&& other) noexcept : shared_(other.shared_) { other.shared_ = nullptr; }
    SharedMacro& operator=(const SharedMacro& other) noexcept
    {
        other.Hold();
        Release();
        shared_ = other.shared_;
        return *this;
    }
    SharedMacro& operator=(SharedMacro&& other) noexcept
    {
        if (this != &other) {
            Release();
            shared_ = other.shared_;
            other.shared_ = nullptr;
        }
        return *this;
    }
    ~SharedMacro() { Release(); }

    const CMacroDef& operator*() const noexcept
    {
        return shared_ != nullptr ? shared_->definition : Empty();
    }
    const CMacroDef* operator->() const noexcept { return &**this; }

    // Whether both hold the very same definition, not merely an equal one.
    bool SameDefinition(const SharedMacro& other) const noexcept
    {
        return shared_ == other.shared_;
    }

    // A digest of the definition kept with it: `compute` runs on the first
    // call for a slot (or again, on a race, giving the same value) and its
    // value is kept for the definition's later holders. A value of 0 is
    // not kept.
    static constexpr size_t kDigestSlots = 2;
    template <class Compute> uint64_t Digest(size_t slot, Compute compute) const
    {
        if (shared_ == nullptr) {
            return compute(**this);
        }
        std::atomic<uint64_t>& kept = shared_->digests[slot];
        uint64_t value = kept.load(std::memory_order_relaxed);
        if (value == 0) {
            value = compute(shared_->definition);
            kept.store(value, std::memory_order_relaxed);
        }
        return value;
    }

    // The definition in one written form, kept with it: `write` makes the
    // bytes on the first call (on a race, each thread makes its own and the
    // first kept wins); later calls, from any holder on any thread, get the
    // bytes kept. The handle made by default keeps nothing: null.
    template <class Write> const std::string* Written(Write write) const
    {
        if (shared_ == nullptr) {
            return nullptr;
        }
        const std::string* kept = shared_->written.load(std::memory_order_acquire);
        if (kept == nullptr) {
            auto made = std::make_unique<std::string>(write(shared_->definition));
            if (shared_->written.compare_exchange_strong(
                    kept, made.get(), std::memory_order_acq_rel, std::memory_order_acquire)) {
                kept = made.release();
            }
        }
        return kept;
    }

private:
    struct Shared {
        explicit Shared(CMacroDef made) : definition(std::move(made)) { }
        ~Shared() { delete written.load(std::memory_order_acquire); }
        std::atomic<size_t> holders {1};
        std::atomic<uint64_t> digests[kDigestSlots] {};
        std::atomic<const std::string*> written {nullptr};
        const CMacroDef definition;
    };

    static const CMacroDef& Empty() noexcept;
    void Hold() const noexcept
    {
        if (shared_ != nullptr) {
            shared_->holders.fetch_add(1, std::memory_order_relaxed);
        }
    }
    // The last holder sees every other holder's use of the definition
    // before it frees it.
    void Release() noexcept
    {
        if (shared_ != nullptr && shared_->holders.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            delete shared_;
        }
        shared_ = nullptr;
    }

    Shared* shared_ = nullptr;
};
