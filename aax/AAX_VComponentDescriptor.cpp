#include "aax/AAX_VComponentDescriptor.h"

#include "aax/AAX_CHostServices.h"
#include "aax/AAX_HostFactory.h"
#include "aax/AAX_VPropertyMap.h"

#include <algorithm>

AAX_VComponentDescriptor::AAX_VComponentDescriptor (IACFUnknown* hostUnknown)
    : mHostUnknown (ACFPtr<IACFUnknown>::retain (hostUnknown))
{
    auto factory = AAX::QueryHostFactory (hostUnknown);
    if (! factory)
        return;
    mComponentDescriptorV1.create (factory.get(), AAXCompID_AAXComponentDescriptor, IID_IAAXComponentDescriptorV1);
    mComponentDescriptorV2.query (mComponentDescriptorV1.get(), IID_IAAXComponentDescriptorV2);
    mComponentDescriptorV3.query (mComponentDescriptorV1.get(), IID_IAAXComponentDescriptorV3);
}

// Maps go before the host interfaces, then the interfaces newest first.
AAX_VComponentDescriptor::~AAX_VComponentDescriptor() = default;

#define AAX_FORWARD_V1(call)                  \
    if (! mComponentDescriptorV1)             \
        return AAX_ERROR_NULL_OBJECT;         \
    return mComponentDescriptorV1->call

AAX_Result AAX_VComponentDescriptor::Clear()                                   { AAX_FORWARD_V1 (Clear()); }
AAX_Result AAX_VComponentDescriptor::AddAudioIn (AAX_CFieldIndex field)           { AAX_FORWARD_V1 (AddAudioIn (field)); }
AAX_Result AAX_VComponentDescriptor::AddAudioOut (AAX_CFieldIndex field)          { AAX_FORWARD_V1 (AddAudioOut (field)); }
AAX_Result AAX_VComponentDescriptor::AddAudioBufferLength (AAX_CFieldIndex field) { AAX_FORWARD_V1 (AddAudioBufferLength (field)); }
AAX_Result AAX_VComponentDescriptor::AddSampleRate (AAX_CFieldIndex field)        { AAX_FORWARD_V1 (AddSampleRate (field)); }
AAX_Result AAX_VComponentDescriptor::AddClock (AAX_CFieldIndex field)             { AAX_FORWARD_V1 (AddClock (field)); }
AAX_Result AAX_VComponentDescriptor::AddSideChainIn (AAX_CFieldIndex field)       { AAX_FORWARD_V1 (AddSideChainIn (field)); }

AAX_Result AAX_VComponentDescriptor::AddDataInPort (AAX_CFieldIndex field, uint32_t packetSize, int32_t portType)
{
    AAX_FORWARD_V1 (AddDataInPort (field, packetSize, portType));
}

AAX_Result AAX_VComponentDescriptor::AddAuxOutputStem (AAX_CFieldIndex field, int32_t stemFormat, const char* name)
{
    AAX_FORWARD_V1 (AddAuxOutputStem (field, stemFormat, name));
}

AAX_Result AAX_VComponentDescriptor::AddPrivateData (AAX_CFieldIndex field, int32_t dataSize, uint32_t options)
{
    AAX_FORWARD_V1 (AddPrivateData (field, dataSize, options));
}

AAX_Result AAX_VComponentDescriptor::AddTemporaryData (AAX_CFieldIndex field, uint32_t dataElementSize)
{
    if (! mComponentDescriptorV2)
        return AAX_ERROR_UNIMPLEMENTED;
    return mComponentDescriptorV2->AddTemporaryData (field, dataElementSize);
}

AAX_Result AAX_VComponentDescriptor::AddDmaInstance (AAX_CFieldIndex field, int32_t dmaMode)
{
    AAX_FORWARD_V1 (AddDmaInstance (field, dmaMode));
}

AAX_Result AAX_VComponentDescriptor::AddMeters (AAX_CFieldIndex field, const AAX_CTypeID* meterIDs, uint32_t meterCount)
{
    AAX_FORWARD_V1 (AddMeters (field, meterIDs, meterCount));
}

AAX_Result AAX_VComponentDescriptor::AddMIDINode (AAX_CFieldIndex field, int32_t nodeType, const char* nodeName, uint32_t channelMask)
{
    AAX_FORWARD_V1 (AddMIDINode (field, nodeType, nodeName, channelMask));
}

AAX_Result AAX_VComponentDescriptor::AddReservedField (AAX_CFieldIndex field, uint32_t fieldType)
{
    AAX_FORWARD_V1 (AddReservedField (field, fieldType));
}

AAX_VPropertyMap* AAX_VComponentDescriptor::NewPropertyMap()
{
    std::unique_ptr<AAX_VPropertyMap> map (AAX_VPropertyMap::Create (mHostUnknown.get()));
    if (! map)
        return nullptr;
    mPropertyMaps.push_back (std::move (map));
    return mPropertyMaps.back().get();
}

AAX_VPropertyMap* AAX_VComponentDescriptor::DuplicatePropertyMap (const AAX_VPropertyMap* source)
{
    // Without a source or a new map there is nothing to copy into or from.
    if (source == nullptr)
        return nullptr;
    AAX_VPropertyMap* copy = NewPropertyMap();
    if (copy == nullptr)
        return nullptr;

    for (uint32_t id = AAX::kProperty_FirstCopied; id <= AAX::kProperty_LastCopied; ++id)
    {
        AAX_CPropertyValue value = 0;
        const void* pointer = nullptr;
        if (source->GetProperty (id, &value))
            copy->AddProperty (id, value);
        else if (source->GetPointerProperty (id, &pointer))
            copy->AddPointerProperty (id, pointer);
    }
    return copy;
}

AAX_Result AAX_VComponentDescriptor::AddProcessProc_Native (AAX_CProcessProc processProc, const AAX_VPropertyMap* properties,
                                                            AAX_CInstanceInitProc instanceInitProc,
                                                            AAX_CBackgroundProc backgroundProc, AAX_CTypeID* outProcID)
{
    if (! mComponentDescriptorV1)
        return AAX_ERROR_NULL_OBJECT;
    // A component must never reach the host with no procedure to process it.
    if (processProc == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    return mComponentDescriptorV1->AddProcessProc_Native (processProc, AAX_PropertyMapUnknown (properties),
                                                          instanceInitProc, backgroundProc, outProcID);
}

AAX_Result AAX_VComponentDescriptor::AddProcessProc_TI (const char* dllFileName, const char* processProcSymbol,
                                                        const AAX_VPropertyMap* properties, const char* instanceInitProcSymbol,
                                                        const char* backgroundProcSymbol, AAX_CTypeID* outProcID)
{
    if (! mComponentDescriptorV1)
        return AAX_ERROR_NULL_OBJECT;
    if (dllFileName == nullptr || processProcSymbol == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    return mComponentDescriptorV1->AddProcessProc_TI (dllFileName, processProcSymbol, AAX_PropertyMapUnknown (properties),
                                                      instanceInitProcSymbol, backgroundProcSymbol, outProcID);
}

AAX_Result AAX_VComponentDescriptor::AddProcessProc (const AAX_VPropertyMap* properties, AAX_CTypeID* outProcIDs, int32_t procIDsSize)
{
    if (mComponentDescriptorV3)
        return mComponentDescriptorV3->AddProcessProc (AAX_PropertyMapUnknown (properties), outProcIDs, procIDsSize);
    if (! mComponentDescriptorV1 || properties == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    return AddProcessProcsWithoutVersion3 (*properties, outProcIDs, procIDsSize);
}

AAX_Result AAX_VComponentDescriptor::AddProcessProcsWithoutVersion3 (const AAX_VPropertyMap& properties,
                                                                     AAX_CTypeID* outProcIDs, int32_t procIDsSize)
{
    auto pointerProperty = [&properties] (uint32_t id, const void*& out) {
        out = nullptr;
        return properties.GetPointerProperty (id, &out) != 0;
    };

    std::vector<AAX_CTypeID> procIDs;
    AAX_Result result = AAX_SUCCESS;
    AAX_CPropertyValue value = 0;

    if (properties.GetProperty (AAX::kProperty_PlugInID_Native, &value) || properties.GetProperty (AAX::kProperty_PlugInID_Offline, &value))
    {
        const void* processProc = nullptr;
        const void* instanceInitProc = nullptr;
        const void* backgroundProc = nullptr;
        const bool hasProcessProc = pointerProperty (AAX::kProperty_NativeProcessProc, processProc) && processProc != nullptr;
        pointerProperty (AAX::kProperty_NativeInstanceInitProc, instanceInitProc);
        pointerProperty (AAX::kProperty_NativeBackgroundProc, backgroundProc);

        if (! hasProcessProc)
        {
            // Registering the native types with a null procedure would hand the host
            // a component it cannot run: it is refused instead.
            AAX_CHostServices::Trace (AAX::kTracePriority_Critical,
                                      "AAX_VComponentDescriptor: ManuallyAddProcessProcs() - no value found for AAX_eProperty_NativeProcessProc");
            result = AAX_ERROR_PROPERTY_UNDEFINED;
        }
        else
        {
            const AAX_VPropertyMap* nativeProperties = &properties;
            if (properties.GetProperty (AAX::kProperty_NativeAudioBufferLength, &value))
            {
                AAX_VPropertyMap* duplicate = DuplicatePropertyMap (&properties);
                if (duplicate != nullptr)
                {
                    AAX_CPropertyValue bufferLength = 0;
                    const AAX_CBoolean gotPropertySuccess = duplicate->GetProperty (AAX::kProperty_NativeAudioBufferLength, &bufferLength);
                    AAX_ASSERT (0 != gotPropertySuccess);
                    const AAX_Result removeNativeAudioBufferLengthResult = duplicate->RemoveProperty (AAX::kProperty_NativeAudioBufferLength);
                    AAX_ASSERT (AAX_SUCCESS == removeNativeAudioBufferLengthResult);
                    nativeProperties = duplicate;
                }
            }

            AAX_CTypeID procID = 0;
            result = AddProcessProc_Native (reinterpret_cast<AAX_CProcessProc> (const_cast<void*> (processProc)), nativeProperties,
                                            reinterpret_cast<AAX_CInstanceInitProc> (const_cast<void*> (instanceInitProc)),
                                            reinterpret_cast<AAX_CBackgroundProc> (const_cast<void*> (backgroundProc)), &procID);
            if (result == AAX_SUCCESS)
                procIDs.push_back (procID);
        }
    }

    if (result == AAX_SUCCESS && properties.GetProperty (AAX::kProperty_PlugInID_TI, &value))
    {
        const void* dllFileName = nullptr;
        const void* processProcName = nullptr;
        const void* instanceInitProcName = nullptr;
        const void* backgroundProcName = nullptr;
        const bool hasDllFileName = pointerProperty (AAX::kProperty_TIDLLFileName, dllFileName) && dllFileName != nullptr;
        const bool hasProcessProcName = pointerProperty (AAX::kProperty_TIProcessProc, processProcName) && processProcName != nullptr;
        pointerProperty (AAX::kProperty_TIInstanceInitProc, instanceInitProcName);
        pointerProperty (AAX::kProperty_TIBackgroundProc, backgroundProcName);
        if (! hasDllFileName)
            AAX_CHostServices::Trace (AAX::kTracePriority_Critical,
                                      "AAX_VComponentDescriptor: ManuallyAddProcessProcs() - no value found for AAX_eProperty_TIDLLFileName");
        if (! hasProcessProcName)
            AAX_CHostServices::Trace (AAX::kTracePriority_Critical,
                                      "AAX_VComponentDescriptor: ManuallyAddProcessProcs() - no value found for AAX_eProperty_TIProcessProc");

        // As with the native procedure: no component without the code that runs it.
        if (! hasDllFileName || ! hasProcessProcName)
        {
            result = AAX_ERROR_PROPERTY_UNDEFINED;
        }
        else
        {
            AAX_CTypeID procID = 0;
            result = AddProcessProc_TI (static_cast<const char*> (dllFileName), static_cast<const char*> (processProcName), &properties,
                                        static_cast<const char*> (instanceInitProcName), static_cast<const char*> (backgroundProcName), &procID);
            if (result == AAX_SUCCESS)
                procIDs.push_back (procID);
        }
    }

    if (result == AAX_SUCCESS && outProcIDs != nullptr)
    {
        if (static_cast<int64_t> (procIDs.size()) >= procIDsSize)
            return AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW;
        std::copy (procIDs.begin(), procIDs.end(), outProcIDs);
        outProcIDs[procIDs.size()] = 0;
    }
    return result;
}
