#include "aax/AAX_VDescriptionHost.h"

#include "aax/AAX_VPropertyMap.h"

AAX_VFeatureInfo::AAX_VFeatureInfo (const acfUID& featureID, IACFUnknown* featureInfoUnknown)
    : mFeatureID (featureID)
{
    mFeatureInfo.query (featureInfoUnknown, IID_IAAXFeatureInfoV1);
}

AAX_VFeatureInfo::~AAX_VFeatureInfo() = default;

AAX_Result AAX_VFeatureInfo::SupportLevel (int32_t* outLevel) const
{
    if (! mFeatureInfo)
        return AAX_ERROR_NULL_OBJECT;
    if (outLevel == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    return mFeatureInfo->SupportLevel (outLevel);
}

AAX_VPropertyMap* AAX_VFeatureInfo::AcquireProperties()
{
    if (! mFeatureInfo)
        return nullptr;
    IACFUnknown* raw = nullptr;
    if (ACFFAILED (mFeatureInfo->AcquireProperties (&raw)))
        return nullptr;
    auto answer = ACFPtr<IACFUnknown>::adopt (raw);
    if (! answer)
        return nullptr;
    return AAX_VPropertyMap::Acquire (answer.get());
}

const acfUID& AAX_VFeatureInfo::ID() const
{
    return mFeatureID;
}

AAX_VDescriptionHost::AAX_VDescriptionHost (IACFUnknown* hostUnknown)
{
    mDescriptionHost.query (hostUnknown, IID_IAAXDescriptionHostV1);
    mHostDefinition.query (hostUnknown, IID_IACFDefinition);
}

AAX_VDescriptionHost::~AAX_VDescriptionHost() = default;

AAX_VFeatureInfo* AAX_VDescriptionHost::AcquireFeatureProperties (const acfUID& featureID) const
{
    if (! mDescriptionHost)
        return nullptr;
    IACFUnknown* raw = nullptr;
    if (ACFFAILED (mDescriptionHost->AcquireFeatureProperties (featureID, &raw)))
        return nullptr;
    auto answer = ACFPtr<IACFUnknown>::adopt (raw);
    if (! answer)
        return nullptr;
    return new AAX_VFeatureInfo (featureID, answer.get());
}
