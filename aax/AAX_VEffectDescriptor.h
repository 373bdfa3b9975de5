// Proxy of a host effect descriptor: one effect with its names, category,
// procedure pointers, meters and processing components.
#pragma once

#include "aax/ACFPtr.h"
#include "aax/AAX_Errors.h"

#include "aax/acf/AAXDescriptionInterfaces.h"

#include <memory>
#include <vector>

class AAX_VComponentDescriptor;
class AAX_VPropertyMap;

class AAX_VEffectDescriptor
{
public:
    // Creates the host's descriptor through its factory; without a factory the
    // proxy exists and its calls answer -20004. Throws the null-factory integer.
    explicit AAX_VEffectDescriptor (IACFUnknown* hostUnknown);
    virtual ~AAX_VEffectDescriptor();

    AAX_VEffectDescriptor (const AAX_VEffectDescriptor&) = delete;
    AAX_VEffectDescriptor& operator= (const AAX_VEffectDescriptor&) = delete;

    // Owned by this descriptor.
    virtual AAX_VComponentDescriptor* NewComponentDescriptor();
    virtual AAX_Result AddComponent (AAX_VComponentDescriptor* componentDescriptor);
    virtual AAX_Result AddName (const char* name);
    virtual AAX_Result AddCategory (uint32_t category);
    virtual AAX_Result AddCategoryBypassParameter (uint32_t category, const char* parameterID);
    virtual AAX_Result AddProcPtr (void* procPtr, int32_t procID);
    // Owned by this descriptor; null when the host gives none.
    virtual AAX_VPropertyMap* NewPropertyMap();
    virtual AAX_Result SetProperties (AAX_VPropertyMap* properties);
    virtual AAX_Result AddResourceInfo (int32_t resourceType, const char* info);
    virtual AAX_Result AddMeterDescription (AAX_CTypeID meterID, const char* meterName, AAX_VPropertyMap* properties);
    virtual AAX_Result AddControlMIDINode (AAX_CTypeID nodeID, int32_t nodeType, const char* nodeName, uint32_t channelMask);

    // What is passed to the host for this descriptor.
    IACFUnknown* GetIUnknown() const noexcept { return mEffectDescriptorV1.get(); }

private:
    ACFPtr<IACFUnknown> mHostUnknown;
    ACFPtr<IAAXEffectDescriptorV1> mEffectDescriptorV1;
    ACFPtr<IAAXEffectDescriptorV2> mEffectDescriptorV2;
    std::vector<std::unique_ptr<AAX_VComponentDescriptor>> mComponentDescriptors;
    std::vector<std::unique_ptr<AAX_VPropertyMap>> mPropertyMaps;
};
