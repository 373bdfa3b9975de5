#pragma once

#include <atomic>

// A value written on one thread and read on another without a lock. Relaxed
// ordering is enough: each value stands on its own, and a sample computed from a
// mix of old and new settings is inaudible.
template <typename T>
class Relaxed
{
public:
    static_assert (std::atomic<T>::is_always_lock_free, "the audio thread must never wait on a lock");

    Relaxed (T initial = T {}) noexcept : value (initial) {}
    Relaxed (const Relaxed& other) noexcept : value (other.load()) {}

    Relaxed& operator= (const Relaxed& other) noexcept
    {
        store (other.load());
        return *this;
    }

    Relaxed& operator= (T newValue) noexcept
    {
        store (newValue);
        return *this;
    }

    operator T() const noexcept { return load(); }

    T load() const noexcept { return value.load (std::memory_order_relaxed); }
    void store (T newValue) noexcept { value.store (newValue, std::memory_order_relaxed); }

private:
    std::atomic<T> value;
};
