// The stand-in host's objects of the start-up and description phases.
#pragma once

#include "host/HostObject.h"
#include "host/Registration.h"

#include "aax/acf/AAXDescriptionInterfaces.h"

#include <map>
#include <memory>

namespace tarnello::host
{
// The host unknown: component factory, description host and host definition.
class HostContext : public HostObject<IACFComponentFactory, IAAXDescriptionHostV1, IACFDefinition>
{
public:
    using HostObject::HostObject;

    ACFRESULT QueryInterface (const acfIID& iid, void** outInterface) override;
    ACFRESULT CreateInstance (const acfCLSID& componentID, IACFUnknown* outer, const acfIID& iid, void** outInterface) override;
    ACFRESULT AcquireFeatureProperties (const acfUID& featureID, IACFUnknown** outFeatureInfo) override;

protected:
    void* findInterface (const acfIID& iid) override;
};

class HostServices : public HostObject<IAAXHostServicesV3>
{
public:
    using HostObject::HostObject;

    ACFRESULT Trace (int32_t priority, const char* message) override;
    ACFRESULT StackTrace (int32_t traceLevel, int32_t stackTraceLevel, const char* message) override;
    ACFRESULT HandleAssertFailure (const char* file, int32_t line, const char* note, int32_t type) override;

protected:
    void* findInterface (const acfIID& iid) override;
};

class HostPropertyMap : public HostObject<IAAXPropertyMapV3>
{
public:
    using HostObject::HostObject;

    AAX_CBoolean GetProperty (uint32_t id, AAX_CPropertyValue* outValue) const override;
    ACFRESULT AddProperty (uint32_t id, AAX_CPropertyValue value) override;
    ACFRESULT RemoveProperty (uint32_t id) override;
    ACFRESULT AddPropertyWithIDArray (uint32_t id, const acfUID* ids, uint32_t count) override;
    AAX_CBoolean GetPropertyWithIDArray (uint32_t id, const acfUID** outIds, uint32_t* outCount) const override;
    AAX_CBoolean GetPointerProperty (uint32_t id, const void** outValue) const override;
    ACFRESULT AddPointerProperty (uint32_t id, const void* value) override;

    const PropertySnapshot& snapshot() const noexcept { return mProperties; }
    // The host's own filling, which the description journal leaves out.
    void put (uint32_t id, AAX_CPropertyValue value);

    // The host's map behind a property-map unknown the plug-in passed, or null.
    static const HostPropertyMap* from (IACFUnknown* unknown) noexcept;
    static PropertySnapshot snapshotOf (IACFUnknown* unknown);

protected:
    void* findInterface (const acfIID& iid) override;

private:
    PropertySnapshot mProperties;
};

class HostFeatureInfo : public HostObject<IAAXFeatureInfoV1>
{
public:
    using HostObject::HostObject;

    ACFRESULT SupportLevel (int32_t* outLevel) const override;
    ACFRESULT AcquireProperties (IACFUnknown** outProperties) override;

protected:
    void* findInterface (const acfIID& iid) override;
};

class HostComponentDescriptor : public HostObject<IAAXComponentDescriptorV3>
{
public:
    using HostObject::HostObject;

    ACFRESULT Clear() override;
    ACFRESULT AddAudioIn (AAX_CFieldIndex field) override;
    ACFRESULT AddAudioOut (AAX_CFieldIndex field) override;
    ACFRESULT AddAudioBufferLength (AAX_CFieldIndex field) override;
    ACFRESULT AddSampleRate (AAX_CFieldIndex field) override;
    ACFRESULT AddClock (AAX_CFieldIndex field) override;
    ACFRESULT AddSideChainIn (AAX_CFieldIndex field) override;
    ACFRESULT AddDataInPort (AAX_CFieldIndex field, uint32_t packetSize, int32_t portType) override;
    ACFRESULT AddAuxOutputStem (AAX_CFieldIndex field, int32_t stemFormat, const char* name) override;
    ACFRESULT AddPrivateData (AAX_CFieldIndex field, int32_t dataSize, uint32_t options) override;
    ACFRESULT AddDmaInstance (AAX_CFieldIndex field, int32_t dmaMode) override;
    ACFRESULT AddMeters (AAX_CFieldIndex field, const AAX_CTypeID* meterIDs, uint32_t meterCount) override;
    ACFRESULT AddMIDINode (AAX_CFieldIndex field, int32_t nodeType, const char* nodeName, uint32_t channelMask) override;
    ACFRESULT AddReservedField (AAX_CFieldIndex field, uint32_t fieldType) override;
    ACFRESULT AddProcessProc_Native (AAX_CProcessProc processProc, IACFUnknown* properties,
                                     AAX_CInstanceInitProc instanceInitProc, AAX_CBackgroundProc backgroundProc,
                                     AAX_CTypeID* outProcID) override;
    ACFRESULT AddProcessProc_TI (const char* dllFileName, const char* processProcSymbol, IACFUnknown* properties,
                                 const char* instanceInitProcSymbol, const char* backgroundProcSymbol,
                                 AAX_CTypeID* outProcID) override;
    ACFRESULT AddTemporaryData (AAX_CFieldIndex field, uint32_t dataElementSize) override;
    ACFRESULT AddProcessProc (IACFUnknown* properties, AAX_CTypeID* outProcIDs, int32_t procIDsSize) override;

    const ComponentRecord& record() const noexcept { return mRecord; }

protected:
    void* findInterface (const acfIID& iid) override;

private:
    ACFRESULT addField (const char* kind, AAX_CFieldIndex field, std::vector<int64_t> args = {}, const char* text = nullptr);

    ComponentRecord mRecord;
};

class HostEffectDescriptor : public HostObject<IAAXEffectDescriptorV2>
{
public:
    using HostObject::HostObject;

    ACFRESULT AddComponent (IACFUnknown* componentDescriptor) override;
    ACFRESULT AddName (const char* name) override;
    ACFRESULT AddCategory (uint32_t category) override;
    ACFRESULT AddCategoryBypassParameter (uint32_t category, const char* parameterID) override;
    ACFRESULT AddProcPtr (void* procPtr, int32_t procID) override;
    ACFRESULT SetProperties (IACFUnknown* properties) override;
    ACFRESULT AddResourceInfo (int32_t resourceType, const char* info) override;
    ACFRESULT AddMeterDescription (AAX_CTypeID meterID, const char* meterName, IACFUnknown* properties) override;
    ACFRESULT AddControlMIDINode (AAX_CTypeID nodeID, int32_t nodeType, const char* nodeName, uint32_t channelMask) override;

    const EffectRecord& record() const noexcept { return mRecord; }

protected:
    void* findInterface (const acfIID& iid) override;

private:
    EffectRecord mRecord;
};

// The collection; it is also the plug-in definition it hands out.
class HostCollection : public HostObject<IAAXCollectionV1, IACFPluginDefinition>
{
public:
    HostCollection (StandInHost& host, std::shared_ptr<CollectionRecord> record);

    ACFRESULT AddEffect (const char* effectID, IACFUnknown* effectDescriptor) override;
    ACFRESULT SetManufacturerName (const char* name) override;
    ACFRESULT AddPackageName (const char* name) override;
    ACFRESULT SetPackageVersion (uint32_t version) override;
    ACFRESULT SetProperties (IACFUnknown* properties) override;

    const CollectionRecord& record() const noexcept { return *mRecord; }

protected:
    void* findInterface (const acfIID& iid) override;

private:
    std::shared_ptr<CollectionRecord> mRecord;
};

// The factory's table of the description-phase objects.
void registerDescriptionComponents (StandInHost& host);
} // namespace tarnello::host
