#include "aax/CACFUnknown.h"

std::atomic<int32_t> CACFUnknown::m_ActiveObjects { 0 };

ACFRESULT CACFUnknown::PrivateUnknown::QueryInterface (const acfIID& iid, void** outInterface)
{
    return mOwner->InternalQueryInterface (iid, outInterface);
}

acfUInt32 CACFUnknown::PrivateUnknown::AddRef()
{
    return mOwner->InternalAddRef();
}

acfUInt32 CACFUnknown::PrivateUnknown::Release()
{
    return mOwner->InternalRelease();
}

CACFUnknown::CACFUnknown()
    : mOuterUnknown (&mPrivateUnknown),
      mPrivateUnknown (this)
{
    m_ActiveObjects.fetch_add (1);
}

CACFUnknown::~CACFUnknown()
{
    m_ActiveObjects.fetch_sub (1);
}

ACFRESULT CACFUnknown::InitializeInstance (IACFUnknown*)
{
    return ACF_OK;
}

void CACFUnknown::FinalRelease()
{
}

void CACFUnknown::ReclaimMemory()
{
    delete this;
}

ACFRESULT CACFUnknown::InternalQueryInterface (const acfIID& iid, void** outInterface)
{
    if (outInterface == nullptr)
        return ACF_E_POINTER;

    *outInterface = nullptr;
    if (iid == IID_IACFUnknown)
    {
        *outInterface = &mPrivateUnknown;
        mPrivateUnknown.AddRef();
        return ACF_OK;
    }
    return ACF_E_NOINTERFACE;
}

acfUInt32 CACFUnknown::InternalAddRef()
{
    return mRefCount.fetch_add (1) + 1;
}

acfUInt32 CACFUnknown::InternalRelease()
{
    const acfUInt32 count = mRefCount.fetch_sub (1) - 1;
    if (count == 0)
    {
        FinalRelease();
        ReclaimMemory();
    }
    return count;
}
