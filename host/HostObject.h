// Reference-counted host objects with a process-wide count of the live ones,
// so that a test can tell whether the plug-in released every host reference.
//
// A host object derives from HostObject<Interfaces...> and answers its
// interface ids in findInterface(). Version chains (V3 : V2 : V1) are answered
// with the same pointer. The owning StandInHost may refuse any id (HostConfig).
#pragma once

#include "aax/acf/ACFBase.h"

#include <atomic>
#include <cstdint>

namespace tarnello::host
{
class StandInHost;

class HostObjectBase
{
public:
    HostObjectBase() { sLiveObjects.fetch_add (1); }
    HostObjectBase (const HostObjectBase&) = delete;
    HostObjectBase& operator= (const HostObjectBase&) = delete;
    virtual ~HostObjectBase() { sLiveObjects.fetch_sub (1); }

    // Host objects alive in this process.
    static int liveObjects() noexcept { return sLiveObjects.load(); }

private:
    static inline std::atomic<int> sLiveObjects { 0 };
};

// Asks the host's configuration whether an interface id is answered at all.
bool hostAnswers (const StandInHost& host, const acfIID& iid);

template <class First, class... Rest>
class HostObject : public HostObjectBase, public First, public Rest...
{
public:
    explicit HostObject (StandInHost& host) : mHost (host) {}

    ACFRESULT QueryInterface (const acfIID& iid, void** outInterface) override
    {
        if (outInterface == nullptr)
            return ACF_E_POINTER;
        *outInterface = nullptr;
        if (! hostAnswers (mHost, iid))
            return ACF_E_NOINTERFACE;

        void* found = iid == IID_IACFUnknown ? static_cast<void*> (asUnknown()) : findInterface (iid);
        if (found == nullptr)
            return ACF_E_NOINTERFACE;
        AddRef();
        *outInterface = found;
        return ACF_OK;
    }

    acfUInt32 AddRef() override { return mRefCount.fetch_add (1) + 1; }

    acfUInt32 Release() override
    {
        const acfUInt32 count = mRefCount.fetch_sub (1) - 1;
        if (count == 0)
            delete this;
        return count;
    }

    IACFUnknown* asUnknown() noexcept { return static_cast<IACFUnknown*> (static_cast<First*> (this)); }
    acfUInt32 referenceCount() const noexcept { return mRefCount.load(); }

protected:
    // The interface pointer for `iid`, or null. IID_IACFUnknown is answered already.
    virtual void* findInterface (const acfIID& iid) = 0;

    StandInHost& host() const noexcept { return mHost; }

private:
    StandInHost& mHost;
    std::atomic<acfUInt32> mRefCount { 0 };
};
} // namespace tarnello::host
