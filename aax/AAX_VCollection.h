// Proxy of the host's collection: the whole package the bundle describes.
// It owns every effect descriptor and property map it makes.
#pragma once

#include "aax/ACFPtr.h"
#include "aax/AAX_Errors.h"
#include "aax/AAX_VDescriptionHost.h"

#include "aax/acf/AAXDescriptionInterfaces.h"

#include <memory>
#include <vector>

class AAX_VEffectDescriptor;
class AAX_VPropertyMap;

class AAX_VCollection
{
public:
    // Throws the null-factory integer; a failed factory query leaves the collection interface empty.
    explicit AAX_VCollection (IACFUnknown* hostUnknown);
    virtual ~AAX_VCollection();

    AAX_VCollection (const AAX_VCollection&) = delete;
    AAX_VCollection& operator= (const AAX_VCollection&) = delete;

    // Always yields a descriptor, owned by this collection.
    virtual AAX_VEffectDescriptor* NewDescriptor();
    virtual AAX_Result AddEffect (const char* effectID, AAX_VEffectDescriptor* effectDescriptor);
    virtual AAX_Result SetManufacturerName (const char* name);
    virtual AAX_Result AddPackageName (const char* name);
    virtual AAX_Result SetPackageVersion (uint32_t version);
    // Owned by this collection; null when the host gives none.
    virtual AAX_VPropertyMap* NewPropertyMap();
    virtual AAX_Result SetProperties (AAX_VPropertyMap* properties);
    // The embedded description-host proxy when the host has one, else null.
    virtual AAX_VDescriptionHost* DescriptionHost();
    virtual const AAX_VDescriptionHost* DescriptionHost() const;
    virtual IACFDefinition* HostDefinition() const;

    // The host's collection interface, from which the plug-in definition is asked.
    IAAXCollectionV1* GetIUnknown() const noexcept { return mCollectionV1.get(); }

private:
    ACFPtr<IACFUnknown> mHostUnknown;
    ACFPtr<IAAXCollectionV1> mCollectionV1;
    AAX_VDescriptionHost mDescriptionHost;
    std::vector<std::unique_ptr<AAX_VEffectDescriptor>> mEffectDescriptors;
    std::vector<std::unique_ptr<AAX_VPropertyMap>> mPropertyMaps;
};
