// One counted reference to a host interface, released when it is dropped.
#pragma once

#include "aax/acf/ACFBase.h"

#include <utility>

template <class Interface>
class ACFPtr
{
public:
    ACFPtr() = default;
    ~ACFPtr() { reset(); }

    ACFPtr (const ACFPtr&) = delete;
    ACFPtr& operator= (const ACFPtr&) = delete;
    ACFPtr (ACFPtr&& other) noexcept : mPtr (std::exchange (other.mPtr, nullptr)) {}
    ACFPtr& operator= (ACFPtr&& other) noexcept
    {
        if (this != &other)
        {
            reset();
            mPtr = std::exchange (other.mPtr, nullptr);
        }
        return *this;
    }

    // Takes over a reference the caller already holds.
    static ACFPtr adopt (Interface* ptr) noexcept
    {
        ACFPtr result;
        result.mPtr = ptr;
        return result;
    }

    // Adds a reference of its own.
    static ACFPtr retain (Interface* ptr) noexcept
    {
        if (ptr != nullptr)
            ptr->AddRef();
        return adopt (ptr);
    }

    // Asks `unknown` for `iid`, releasing what was held first. A failed query, or
    // a successful one that yields null, leaves this empty. Returns the host's code.
    ACFRESULT query (IACFUnknown* unknown, const acfIID& iid)
    {
        reset();
        if (unknown == nullptr)
            return ACF_E_POINTER;
        void* raw = nullptr;
        const ACFRESULT result = unknown->QueryInterface (iid, &raw);
        if (ACFSUCCEEDED (result))
            mPtr = static_cast<Interface*> (raw);
        return result;
    }

    // Creates a host object through a factory, releasing what was held first.
    ACFRESULT create (IACFComponentFactory* factory, const acfCLSID& componentID, const acfIID& iid)
    {
        reset();
        if (factory == nullptr)
            return ACF_E_POINTER;
        void* raw = nullptr;
        const ACFRESULT result = factory->CreateInstance (componentID, nullptr, iid, &raw);
        if (ACFSUCCEEDED (result))
            mPtr = static_cast<Interface*> (raw);
        return result;
    }

    void reset() noexcept
    {
        if (auto* old = std::exchange (mPtr, nullptr))
            old->Release();
    }

    Interface* get() const noexcept        { return mPtr; }
    Interface* operator->() const noexcept { return mPtr; }
    explicit operator bool() const noexcept { return mPtr != nullptr; }

private:
    Interface* mPtr = nullptr;
};
