// Base of every object the plug-in hands to the host: an atomic reference
// count, an inner (private) unknown that owns the count, and the count of live
// objects that tells the host whether the bundle may be unloaded.
//
// A derived object implements its host-visible interface, forwards that
// interface's QueryInterface/AddRef/Release to GetOuterUnknown(), and answers
// its own interface ids in InternalQueryInterface before falling back to this
// class (see ACF_FORWARD_UNKNOWN_TO_OUTER below).
#pragma once

#include "aax/acf/ACFBase.h"

#include <atomic>

class CACFUnknown
{
public:
    class PrivateUnknown : public IACFUnknown
    {
    public:
        explicit PrivateUnknown (CACFUnknown* owner) noexcept : mOwner (owner) {}
        virtual ~PrivateUnknown() = default;

        ACFRESULT QueryInterface (const acfIID& iid, void** outInterface) override;
        acfUInt32 AddRef() override;
        acfUInt32 Release() override;

    private:
        CACFUnknown* mOwner;
    };

    CACFUnknown();
    CACFUnknown (const CACFUnknown&) = delete;
    CACFUnknown& operator= (const CACFUnknown&) = delete;
    virtual ~CACFUnknown();

    virtual ACFRESULT InitializeInstance (IACFUnknown* unknown);
    virtual void FinalRelease();
    virtual void ReclaimMemory();
    virtual ACFRESULT InternalQueryInterface (const acfIID& iid, void** outInterface);
    virtual acfUInt32 InternalAddRef();
    virtual acfUInt32 InternalRelease();

    IACFUnknown* GetOuterUnknown() const noexcept { return mOuterUnknown; }
    IACFUnknown* GetPrivateUnknown() noexcept     { return &mPrivateUnknown; }
    acfUInt32 ReferenceCount() const noexcept     { return mRefCount.load(); }

    // Live CACFUnknown objects in this bundle; 0 means it may be unloaded.
    static int32_t ActiveObjects() noexcept { return m_ActiveObjects.load(); }

    static std::atomic<int32_t> m_ActiveObjects;

private:
    std::atomic<acfUInt32> mRefCount { 0 };
    IACFUnknown* mOuterUnknown;
    PrivateUnknown mPrivateUnknown;
};

// The public IACFUnknown face of an object derived from an interface and
// CACFUnknown: all three calls go to the controlling (outer) unknown.
#define ACF_FORWARD_UNKNOWN_TO_OUTER                                                              \
    ACFRESULT QueryInterface (const acfIID& iid, void** outInterface) override                    \
    {                                                                                              \
        return GetOuterUnknown()->QueryInterface (iid, outInterface);                              \
    }                                                                                              \
    acfUInt32 AddRef() override { return GetOuterUnknown()->AddRef(); }                            \
    acfUInt32 Release() override { return GetOuterUnknown()->Release(); }
