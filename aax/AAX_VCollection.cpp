#include "aax/AAX_VCollection.h"

#include "aax/AAX_HostFactory.h"
#include "aax/AAX_VEffectDescriptor.h"
#include "aax/AAX_VPropertyMap.h"

AAX_VCollection::AAX_VCollection (IACFUnknown* hostUnknown)
    : mHostUnknown (ACFPtr<IACFUnknown>::retain (hostUnknown)),
      mDescriptionHost (hostUnknown)
{
    auto factory = AAX::QueryHostFactory (hostUnknown);
    if (factory)
        mCollectionV1.create (factory.get(), AAXCompID_AAXCollection, IID_IAAXCollectionV1);
}

AAX_VCollection::~AAX_VCollection() = default;

AAX_VEffectDescriptor* AAX_VCollection::NewDescriptor()
{
    mEffectDescriptors.push_back (std::make_unique<AAX_VEffectDescriptor> (mHostUnknown.get()));
    return mEffectDescriptors.back().get();
}

AAX_Result AAX_VCollection::AddEffect (const char* effectID, AAX_VEffectDescriptor* effectDescriptor)
{
    if (! mCollectionV1)
        return AAX_ERROR_NULL_OBJECT;
    if (effectDescriptor == nullptr || effectDescriptor->GetIUnknown() == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    return mCollectionV1->AddEffect (effectID, effectDescriptor->GetIUnknown());
}

AAX_Result AAX_VCollection::SetManufacturerName (const char* name)
{
    if (! mCollectionV1)
        return AAX_ERROR_NULL_OBJECT;
    return mCollectionV1->SetManufacturerName (name);
}

AAX_Result AAX_VCollection::AddPackageName (const char* name)
{
    if (! mCollectionV1)
        return AAX_ERROR_NULL_OBJECT;
    return mCollectionV1->AddPackageName (name);
}

AAX_Result AAX_VCollection::SetPackageVersion (uint32_t version)
{
    if (! mCollectionV1)
        return AAX_ERROR_NULL_OBJECT;
    return mCollectionV1->SetPackageVersion (version);
}

AAX_VPropertyMap* AAX_VCollection::NewPropertyMap()
{
    std::unique_ptr<AAX_VPropertyMap> map (AAX_VPropertyMap::Create (mHostUnknown.get()));
    if (! map)
        return nullptr;
    mPropertyMaps.push_back (std::move (map));
    return mPropertyMaps.back().get();
}

AAX_Result AAX_VCollection::SetProperties (AAX_VPropertyMap* properties)
{
    if (! mCollectionV1)
        return AAX_ERROR_NULL_OBJECT;
    return mCollectionV1->SetProperties (AAX_PropertyMapUnknown (properties));
}

AAX_VDescriptionHost* AAX_VCollection::DescriptionHost()
{
    return mDescriptionHost.Supported() ? &mDescriptionHost : nullptr;
}

const AAX_VDescriptionHost* AAX_VCollection::DescriptionHost() const
{
    return mDescriptionHost.Supported() ? &mDescriptionHost : nullptr;
}

IACFDefinition* AAX_VCollection::HostDefinition() const
{
    return mDescriptionHost.HostDefinition();
}
