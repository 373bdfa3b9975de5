// Proxies of what the host can do: the description host and its feature info.
#pragma once

#include "aax/ACFPtr.h"
#include "aax/AAX_Errors.h"

#include "aax/acf/AAXDescriptionInterfaces.h"

class AAX_VPropertyMap;

class AAX_VFeatureInfo
{
public:
    // Takes its own reference to the answer's feature-info interface.
    AAX_VFeatureInfo (const acfUID& featureID, IACFUnknown* featureInfoUnknown);
    virtual ~AAX_VFeatureInfo();

    AAX_VFeatureInfo (const AAX_VFeatureInfo&) = delete;
    AAX_VFeatureInfo& operator= (const AAX_VFeatureInfo&) = delete;

    virtual AAX_Result SupportLevel (int32_t* outLevel) const;
    // The feature's properties, owned by the caller; null when the host has none.
    virtual AAX_VPropertyMap* AcquireProperties();
    virtual const acfUID& ID() const;

private:
    acfUID mFeatureID;
    ACFPtr<IAAXFeatureInfoV1> mFeatureInfo;
};

class AAX_VDescriptionHost
{
public:
    explicit AAX_VDescriptionHost (IACFUnknown* hostUnknown);
    virtual ~AAX_VDescriptionHost();

    AAX_VDescriptionHost (const AAX_VDescriptionHost&) = delete;
    AAX_VDescriptionHost& operator= (const AAX_VDescriptionHost&) = delete;

    // The feature's info, owned by the caller; null when the host cannot say.
    virtual AAX_VFeatureInfo* AcquireFeatureProperties (const acfUID& featureID) const;

    bool Supported() const noexcept { return static_cast<bool> (mDescriptionHost); }
    IACFDefinition* HostDefinition() const noexcept { return mHostDefinition.get(); }

private:
    ACFPtr<IAAXDescriptionHostV1> mDescriptionHost;
    ACFPtr<IACFDefinition> mHostDefinition;
};
