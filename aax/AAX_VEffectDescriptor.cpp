#include "aax/AAX_VEffectDescriptor.h"

#include "aax/AAX_HostFactory.h"
#include "aax/AAX_VComponentDescriptor.h"
#include "aax/AAX_VPropertyMap.h"

AAX_VEffectDescriptor::AAX_VEffectDescriptor (IACFUnknown* hostUnknown)
    : mHostUnknown (ACFPtr<IACFUnknown>::retain (hostUnknown))
{
    auto factory = AAX::QueryHostFactory (hostUnknown);
    if (! factory)
        return;
    mEffectDescriptorV1.create (factory.get(), AAXCompID_AAXEffectDescriptor, IID_IAAXEffectDescriptorV1);
    mEffectDescriptorV2.query (mEffectDescriptorV1.get(), IID_IAAXEffectDescriptorV2);
}

AAX_VEffectDescriptor::~AAX_VEffectDescriptor() = default;

AAX_VComponentDescriptor* AAX_VEffectDescriptor::NewComponentDescriptor()
{
    mComponentDescriptors.push_back (std::make_unique<AAX_VComponentDescriptor> (mHostUnknown.get()));
    return mComponentDescriptors.back().get();
}

AAX_Result AAX_VEffectDescriptor::AddComponent (AAX_VComponentDescriptor* componentDescriptor)
{
    if (! mEffectDescriptorV1)
        return AAX_ERROR_NULL_OBJECT;
    if (componentDescriptor == nullptr || componentDescriptor->GetIUnknown() == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    return mEffectDescriptorV1->AddComponent (componentDescriptor->GetIUnknown());
}

AAX_Result AAX_VEffectDescriptor::AddName (const char* name)
{
    if (! mEffectDescriptorV1)
        return AAX_ERROR_NULL_OBJECT;
    return mEffectDescriptorV1->AddName (name);
}

AAX_Result AAX_VEffectDescriptor::AddCategory (uint32_t category)
{
    if (! mEffectDescriptorV1)
        return AAX_ERROR_NULL_OBJECT;
    return mEffectDescriptorV1->AddCategory (category);
}

AAX_Result AAX_VEffectDescriptor::AddCategoryBypassParameter (uint32_t category, const char* parameterID)
{
    if (! mEffectDescriptorV1)
        return AAX_ERROR_NULL_OBJECT;
    return mEffectDescriptorV1->AddCategoryBypassParameter (category, parameterID);
}

AAX_Result AAX_VEffectDescriptor::AddProcPtr (void* procPtr, int32_t procID)
{
    if (! mEffectDescriptorV1)
        return AAX_ERROR_NULL_OBJECT;
    return mEffectDescriptorV1->AddProcPtr (procPtr, procID);
}

AAX_VPropertyMap* AAX_VEffectDescriptor::NewPropertyMap()
{
    std::unique_ptr<AAX_VPropertyMap> map (AAX_VPropertyMap::Create (mHostUnknown.get()));
    if (! map)
        return nullptr;
    mPropertyMaps.push_back (std::move (map));
    return mPropertyMaps.back().get();
}

AAX_Result AAX_VEffectDescriptor::SetProperties (AAX_VPropertyMap* properties)
{
    if (! mEffectDescriptorV1)
        return AAX_ERROR_NULL_OBJECT;
    return mEffectDescriptorV1->SetProperties (AAX_PropertyMapUnknown (properties));
}

AAX_Result AAX_VEffectDescriptor::AddResourceInfo (int32_t resourceType, const char* info)
{
    if (! mEffectDescriptorV1)
        return AAX_ERROR_NULL_OBJECT;
    return mEffectDescriptorV1->AddResourceInfo (resourceType, info);
}

AAX_Result AAX_VEffectDescriptor::AddMeterDescription (AAX_CTypeID meterID, const char* meterName, AAX_VPropertyMap* properties)
{
    if (! mEffectDescriptorV1)
        return AAX_ERROR_NULL_OBJECT;
    return mEffectDescriptorV1->AddMeterDescription (meterID, meterName, AAX_PropertyMapUnknown (properties));
}

AAX_Result AAX_VEffectDescriptor::AddControlMIDINode (AAX_CTypeID nodeID, int32_t nodeType, const char* nodeName, uint32_t channelMask)
{
    if (! mEffectDescriptorV2)
        return AAX_ERROR_UNIMPLEMENTED;
    return mEffectDescriptorV2->AddControlMIDINode (nodeID, nodeType, nodeName, channelMask);
}
