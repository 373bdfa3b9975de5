// Proxy of a host component descriptor: one processing component with its
// context fields, property maps and process procedures.
#pragma once

#include "aax/ACFPtr.h"
#include "aax/AAX_Errors.h"

#include "aax/acf/AAXDescriptionInterfaces.h"

#include <memory>
#include <vector>

class AAX_VPropertyMap;

class AAX_VComponentDescriptor
{
public:
    // Creates the host's descriptor through its factory; without a factory the
    // proxy exists and its calls answer -20004. Throws the null-factory integer.
    explicit AAX_VComponentDescriptor (IACFUnknown* hostUnknown);
    virtual ~AAX_VComponentDescriptor();

    AAX_VComponentDescriptor (const AAX_VComponentDescriptor&) = delete;
    AAX_VComponentDescriptor& operator= (const AAX_VComponentDescriptor&) = delete;

    virtual AAX_Result Clear();
    virtual AAX_Result AddAudioIn (AAX_CFieldIndex field);
    virtual AAX_Result AddAudioOut (AAX_CFieldIndex field);
    virtual AAX_Result AddAudioBufferLength (AAX_CFieldIndex field);
    virtual AAX_Result AddSampleRate (AAX_CFieldIndex field);
    virtual AAX_Result AddClock (AAX_CFieldIndex field);
    virtual AAX_Result AddSideChainIn (AAX_CFieldIndex field);
    virtual AAX_Result AddDataInPort (AAX_CFieldIndex field, uint32_t packetSize, int32_t portType);
    virtual AAX_Result AddAuxOutputStem (AAX_CFieldIndex field, int32_t stemFormat, const char* name);
    virtual AAX_Result AddPrivateData (AAX_CFieldIndex field, int32_t dataSize, uint32_t options);
    virtual AAX_Result AddTemporaryData (AAX_CFieldIndex field, uint32_t dataElementSize);
    virtual AAX_Result AddDmaInstance (AAX_CFieldIndex field, int32_t dmaMode);
    virtual AAX_Result AddMeters (AAX_CFieldIndex field, const AAX_CTypeID* meterIDs, uint32_t meterCount);
    virtual AAX_Result AddMIDINode (AAX_CFieldIndex field, int32_t nodeType, const char* nodeName, uint32_t channelMask);
    virtual AAX_Result AddReservedField (AAX_CFieldIndex field, uint32_t fieldType);
    // A map owned by this descriptor, or null when the host gives none.
    virtual AAX_VPropertyMap* NewPropertyMap();
    virtual AAX_VPropertyMap* DuplicatePropertyMap (const AAX_VPropertyMap* source);
    virtual AAX_Result AddProcessProc_Native (AAX_CProcessProc processProc, const AAX_VPropertyMap* properties,
                                              AAX_CInstanceInitProc instanceInitProc = nullptr,
                                              AAX_CBackgroundProc backgroundProc = nullptr,
                                              AAX_CTypeID* outProcID = nullptr);
    virtual AAX_Result AddProcessProc_TI (const char* dllFileName, const char* processProcSymbol,
                                          const AAX_VPropertyMap* properties, const char* instanceInitProcSymbol = nullptr,
                                          const char* backgroundProcSymbol = nullptr, AAX_CTypeID* outProcID = nullptr);
    // Registers the procedures the map names; ids go to outProcIDs followed by a 0.
    virtual AAX_Result AddProcessProc (const AAX_VPropertyMap* properties, AAX_CTypeID* outProcIDs = nullptr,
                                       int32_t procIDsSize = 0);

    // What is passed to the host for this descriptor.
    IACFUnknown* GetIUnknown() const noexcept { return mComponentDescriptorV1.get(); }

private:
    AAX_Result AddProcessProcsWithoutVersion3 (const AAX_VPropertyMap& properties, AAX_CTypeID* outProcIDs, int32_t procIDsSize);

    ACFPtr<IACFUnknown> mHostUnknown;
    ACFPtr<IAAXComponentDescriptorV1> mComponentDescriptorV1;
    ACFPtr<IAAXComponentDescriptorV2> mComponentDescriptorV2;
    ACFPtr<IAAXComponentDescriptorV3> mComponentDescriptorV3;
    std::vector<std::unique_ptr<AAX_VPropertyMap>> mPropertyMaps;
};
