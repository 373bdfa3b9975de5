// Our own stand-in for the host application's interfaces of the start-up and
// description phases: host services, the collection, effect and component
// descriptors, property maps, the description host and its feature info.
// Every multi-version interface derives from its previous version, so one
// host object can answer all versions with the same pointer.
#pragma once

#include "aax/acf/AAXIDs.h"
#include "aax/acf/AAXStemFormats.h"

using AAX_CPropertyValue = int32_t;
using AAX_CTypeID        = uint32_t;
using AAX_CFieldIndex    = uint32_t;
using AAX_CBoolean       = uint8_t;

class IACFUnknown;

// Procedure pointers that the description hands to the host.
using AAX_CreateObjectProc      = IACFUnknown* (*)();
using AAX_CProcessProc          = void (*) (void* const inInstancesBegin[], const void* inInstancesEnd);
using AAX_CInstanceInitProc     = int32_t (*) (const void* inInstanceContextPtr, int32_t inAction);
using AAX_CBackgroundProc       = int32_t (*)();

//==============================================================================
// Host services.
class IAAXHostServicesV1 : public IACFUnknown
{
public:
    virtual ACFRESULT Trace (int32_t priority, const char* message) = 0;

protected:
    ~IAAXHostServicesV1() = default;
};

class IAAXHostServicesV2 : public IAAXHostServicesV1
{
public:
    virtual ACFRESULT StackTrace (int32_t traceLevel, int32_t stackTraceLevel, const char* message) = 0;

protected:
    ~IAAXHostServicesV2() = default;
};

class IAAXHostServicesV3 : public IAAXHostServicesV2
{
public:
    virtual ACFRESULT HandleAssertFailure (const char* file, int32_t line, const char* note, int32_t type) = 0;

protected:
    ~IAAXHostServicesV3() = default;
};

//==============================================================================
// Property maps. GetProperty answers 1 when the id is present.
class IAAXPropertyMapV1 : public IACFUnknown
{
public:
    virtual AAX_CBoolean GetProperty (uint32_t id, AAX_CPropertyValue* outValue) const = 0;
    virtual ACFRESULT AddProperty (uint32_t id, AAX_CPropertyValue value) = 0;
    virtual ACFRESULT RemoveProperty (uint32_t id) = 0;

protected:
    ~IAAXPropertyMapV1() = default;
};

class IAAXPropertyMapV2 : public IAAXPropertyMapV1
{
public:
    virtual ACFRESULT AddPropertyWithIDArray (uint32_t id, const acfUID* ids, uint32_t count) = 0;
    virtual AAX_CBoolean GetPropertyWithIDArray (uint32_t id, const acfUID** outIds, uint32_t* outCount) const = 0;

protected:
    ~IAAXPropertyMapV2() = default;
};

class IAAXPropertyMapV3 : public IAAXPropertyMapV2
{
public:
    virtual AAX_CBoolean GetPointerProperty (uint32_t id, const void** outValue) const = 0;
    virtual ACFRESULT AddPointerProperty (uint32_t id, const void* value) = 0;

protected:
    ~IAAXPropertyMapV3() = default;
};

//==============================================================================
// The description host and the features it reports.
class IAAXFeatureInfoV1 : public IACFUnknown
{
public:
    virtual ACFRESULT SupportLevel (int32_t* outLevel) const = 0;
    // Hands out a property map (as its unknown, one reference added) or fails.
    virtual ACFRESULT AcquireProperties (IACFUnknown** outProperties) = 0;

protected:
    ~IAAXFeatureInfoV1() = default;
};

class IAAXDescriptionHostV1 : public IACFUnknown
{
public:
    // Hands out a feature-info object (as its unknown, one reference added) or fails.
    virtual ACFRESULT AcquireFeatureProperties (const acfUID& featureID, IACFUnknown** outFeatureInfo) = 0;

protected:
    ~IAAXDescriptionHostV1() = default;
};

//==============================================================================
// Component descriptors. Property maps and descriptors are passed as their unknowns.
class IAAXComponentDescriptorV1 : public IACFUnknown
{
public:
    virtual ACFRESULT Clear() = 0;
    virtual ACFRESULT AddAudioIn (AAX_CFieldIndex field) = 0;
    virtual ACFRESULT AddAudioOut (AAX_CFieldIndex field) = 0;
    virtual ACFRESULT AddAudioBufferLength (AAX_CFieldIndex field) = 0;
    virtual ACFRESULT AddSampleRate (AAX_CFieldIndex field) = 0;
    virtual ACFRESULT AddClock (AAX_CFieldIndex field) = 0;
    virtual ACFRESULT AddSideChainIn (AAX_CFieldIndex field) = 0;
    virtual ACFRESULT AddDataInPort (AAX_CFieldIndex field, uint32_t packetSize, int32_t portType) = 0;
    virtual ACFRESULT AddAuxOutputStem (AAX_CFieldIndex field, int32_t stemFormat, const char* name) = 0;
    virtual ACFRESULT AddPrivateData (AAX_CFieldIndex field, int32_t dataSize, uint32_t options) = 0;
    virtual ACFRESULT AddDmaInstance (AAX_CFieldIndex field, int32_t dmaMode) = 0;
    virtual ACFRESULT AddMeters (AAX_CFieldIndex field, const AAX_CTypeID* meterIDs, uint32_t meterCount) = 0;
    virtual ACFRESULT AddMIDINode (AAX_CFieldIndex field, int32_t nodeType, const char* nodeName, uint32_t channelMask) = 0;
    virtual ACFRESULT AddReservedField (AAX_CFieldIndex field, uint32_t fieldType) = 0;
    virtual ACFRESULT AddProcessProc_Native (AAX_CProcessProc processProc, IACFUnknown* properties,
                                             AAX_CInstanceInitProc instanceInitProc,
                                             AAX_CBackgroundProc backgroundProc, AAX_CTypeID* outProcID) = 0;
    virtual ACFRESULT AddProcessProc_TI (const char* dllFileName, const char* processProcSymbol, IACFUnknown* properties,
                                         const char* instanceInitProcSymbol, const char* backgroundProcSymbol,
                                         AAX_CTypeID* outProcID) = 0;

protected:
    ~IAAXComponentDescriptorV1() = default;
};

class IAAXComponentDescriptorV2 : public IAAXComponentDescriptorV1
{
public:
    virtual ACFRESULT AddTemporaryData (AAX_CFieldIndex field, uint32_t dataElementSize) = 0;

protected:
    ~IAAXComponentDescriptorV2() = default;
};

class IAAXComponentDescriptorV3 : public IAAXComponentDescriptorV2
{
public:
    // Ids are written to outProcIDs followed by a 0; fails when they do not fit.
    virtual ACFRESULT AddProcessProc (IACFUnknown* properties, AAX_CTypeID* outProcIDs, int32_t procIDsSize) = 0;

protected:
    ~IAAXComponentDescriptorV3() = default;
};

//==============================================================================
// Effect descriptors.
class IAAXEffectDescriptorV1 : public IACFUnknown
{
public:
    virtual ACFRESULT AddComponent (IACFUnknown* componentDescriptor) = 0;
    virtual ACFRESULT AddName (const char* name) = 0;
    virtual ACFRESULT AddCategory (uint32_t category) = 0;
    virtual ACFRESULT AddCategoryBypassParameter (uint32_t category, const char* parameterID) = 0;
    virtual ACFRESULT AddProcPtr (void* procPtr, int32_t procID) = 0;
    virtual ACFRESULT SetProperties (IACFUnknown* properties) = 0;
    virtual ACFRESULT AddResourceInfo (int32_t resourceType, const char* info) = 0;
    virtual ACFRESULT AddMeterDescription (AAX_CTypeID meterID, const char* meterName, IACFUnknown* properties) = 0;

protected:
    ~IAAXEffectDescriptorV1() = default;
};

class IAAXEffectDescriptorV2 : public IAAXEffectDescriptorV1
{
public:
    virtual ACFRESULT AddControlMIDINode (AAX_CTypeID nodeID, int32_t nodeType, const char* nodeName, uint32_t channelMask) = 0;

protected:
    ~IAAXEffectDescriptorV2() = default;
};

//==============================================================================
// The collection: the whole package.
class IAAXCollectionV1 : public IACFUnknown
{
public:
    virtual ACFRESULT AddEffect (const char* effectID, IACFUnknown* effectDescriptor) = 0;
    virtual ACFRESULT SetManufacturerName (const char* name) = 0;
    virtual ACFRESULT AddPackageName (const char* name) = 0;
    virtual ACFRESULT SetPackageVersion (uint32_t version) = 0;
    virtual ACFRESULT SetProperties (IACFUnknown* properties) = 0;

protected:
    ~IAAXCollectionV1() = default;
};

//==============================================================================
// Numeric ids whose meaning is the host's; the values are what this system passes.
namespace AAX
{
// Properties of a component's property map.
enum EProperty : uint32_t
{
    kProperty_ManufacturerID          = 11,
    kProperty_ProductID               = 12,
    kProperty_PlugInID_Native         = 13,
    kProperty_PlugInID_Offline        = 14,
    kProperty_PlugInID_TI             = 15,
    kProperty_NativeProcessProc       = 36,
    kProperty_NativeInstanceInitProc  = 37,
    kProperty_NativeBackgroundProc    = 38,
    kProperty_TIDLLFileName           = 39,
    kProperty_TIProcessProc           = 40,
    kProperty_TIInstanceInitProc      = 41,
    kProperty_TIBackgroundProc        = 42,
    kProperty_PointerReserved43       = 43,
    kProperty_InputStemFormat         = 51,
    kProperty_OutputStemFormat        = 52,
    kProperty_NativeAudioBufferLength = 54,
    kProperty_Flag60                  = 60,
    kProperty_SideChainMono           = 116,
    kProperty_MeterType               = 200,
    kProperty_MeterOrientation        = 201,
    kProperty_Flag304                 = 304,
    kProperty_Flag309                 = 309,
    kProperty_FirstCopied             = 10,
    kProperty_LastCopied              = 401,
};

// Procedure ids of AddProcPtr.
constexpr int32_t kProcID_EffectParameters = 0;
constexpr int32_t kProcID_EffectGUI        = 1;

// Resource types of AddResourceInfo.
constexpr int32_t kResourceType_PageFile           = 1;
constexpr int32_t kResourceType_PageFileSearchPath = 2;

// Data-in port type of the parameter packets.
constexpr int32_t kDataInPortType_Packets = 1;

// A feature's support level that defers the answer to its property map, and
// the value there that means "supported".
constexpr int32_t kSupportLevel_ByProperty   = 4;
constexpr int32_t kStemFormatSupportedValue  = 2;

// Trace priorities.
constexpr int32_t kTracePriority_Critical  = 0x8000000;
constexpr int32_t kTracePriority_Important = 0x4000000;

// Assertion type passed with HandleAssertFailure.
constexpr int32_t kAssertType_Plugin = 1;
} // namespace AAX
