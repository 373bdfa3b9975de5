#include "host/HostObjects.h"

#include "host/StandInHost.h"

#include "aax/acf/AAXIDs.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <utility>

namespace tarnello::host
{
namespace
{
std::string textOf (const char* text)
{
    return text != nullptr ? std::string (text) : std::string();
}

// Host objects hand out new objects as their unknown, one reference added.
template <class Object>
ACFRESULT handOut (Object* object, IACFUnknown** out)
{
    object->AddRef();
    void* raw = nullptr;
    const ACFRESULT result = object->QueryInterface (IID_IACFUnknown, &raw);
    object->Release();
    *out = static_cast<IACFUnknown*> (raw);
    return result;
}

std::atomic<AAX_CTypeID> sNextProcID { 1 };

std::string hex (uint32_t value)
{
    char text[16];
    std::snprintf (text, sizeof (text), "0x%08X", value);
    return text;
}
} // namespace

//==============================================================================
ACFRESULT HostContext::QueryInterface (const acfIID& iid, void** outInterface)
{
    if (outInterface != nullptr && iid == IID_IACFComponentFactory && host().config().nullFactoryOnSuccess)
    {
        *outInterface = nullptr;
        return ACF_OK;
    }
    return HostObject::QueryInterface (iid, outInterface);
}

void* HostContext::findInterface (const acfIID& iid)
{
    if (iid == IID_IACFComponentFactory)
        return static_cast<IACFComponentFactory*> (this);
    if (iid == IID_IAAXDescriptionHostV1)
        return static_cast<IAAXDescriptionHostV1*> (this);
    if (iid == IID_IACFDefinition)
        return static_cast<IACFDefinition*> (this);
    return nullptr;
}

ACFRESULT HostContext::CreateInstance (const acfCLSID& componentID, IACFUnknown* outer, const acfIID& iid, void** outInterface)
{
    return host().createInstance (componentID, outer, iid, outInterface);
}

ACFRESULT HostContext::AcquireFeatureProperties (const acfUID& featureID, IACFUnknown** outFeatureInfo)
{
    if (outFeatureInfo == nullptr)
        return ACF_E_POINTER;
    *outFeatureInfo = nullptr;
    host().recordDescriptionCall ("AcquireFeatureProperties");
    if (featureID != AAXATTR_ClientFeature_StemFormat || ! host().config().stemFormatFeature.present)
        return ACF_E_FAIL;
    return handOut (new HostFeatureInfo (host()), outFeatureInfo);
}

//==============================================================================
void* HostServices::findInterface (const acfIID& iid)
{
    if (iid == IID_IAAXHostServicesV1 || iid == IID_IAAXHostServicesV2 || iid == IID_IAAXHostServicesV3)
        return static_cast<IAAXHostServicesV3*> (this);
    return nullptr;
}

ACFRESULT HostServices::Trace (int32_t priority, const char* message)
{
    host().recordTrace (priority, message);
    return ACF_OK;
}

ACFRESULT HostServices::StackTrace (int32_t traceLevel, int32_t stackTraceLevel, const char* message)
{
    host().recordStackTrace (traceLevel, stackTraceLevel, message);
    return ACF_OK;
}

ACFRESULT HostServices::HandleAssertFailure (const char* file, int32_t line, const char* note, int32_t type)
{
    host().recordAssert (file, line, note, type);
    return ACF_OK;
}

//==============================================================================
void* HostPropertyMap::findInterface (const acfIID& iid)
{
    if (iid == IID_IAAXPropertyMapV1 || iid == IID_IAAXPropertyMapV2 || iid == IID_IAAXPropertyMapV3)
        return static_cast<IAAXPropertyMapV3*> (this);
    return nullptr;
}

const HostPropertyMap* HostPropertyMap::from (IACFUnknown* unknown) noexcept
{
    return dynamic_cast<const HostPropertyMap*> (unknown);
}

PropertySnapshot HostPropertyMap::snapshotOf (IACFUnknown* unknown)
{
    if (const auto* map = from (unknown))
        return map->snapshot();
    return {};
}

AAX_CBoolean HostPropertyMap::GetProperty (uint32_t id, AAX_CPropertyValue* outValue) const
{
    const int32_t* value = mProperties.find (id);
    if (value == nullptr)
        return 0;
    if (outValue != nullptr)
        *outValue = *value;
    return 1;
}

ACFRESULT HostPropertyMap::AddProperty (uint32_t id, AAX_CPropertyValue value)
{
    host().recordDescriptionCall ("AddProperty " + std::to_string (id));
    put (id, value);
    return ACF_OK;
}

void HostPropertyMap::put (uint32_t id, AAX_CPropertyValue value)
{
    for (auto& entry : mProperties.values)
        if (entry.first == id)
        {
            entry.second = value;
            return;
        }
    mProperties.values.emplace_back (id, value);
}

ACFRESULT HostPropertyMap::RemoveProperty (uint32_t id)
{
    auto& values = mProperties.values;
    auto& pointers = mProperties.pointers;
    const auto before = values.size() + pointers.size() + mProperties.idArrays.size();
    values.erase (std::remove_if (values.begin(), values.end(), [id] (const auto& e) { return e.first == id; }), values.end());
    pointers.erase (std::remove_if (pointers.begin(), pointers.end(), [id] (const auto& e) { return e.first == id; }), pointers.end());
    mProperties.idArrays.erase (id);
    return before != values.size() + pointers.size() + mProperties.idArrays.size() ? ACF_OK : ACF_E_FAIL;
}

ACFRESULT HostPropertyMap::AddPropertyWithIDArray (uint32_t id, const acfUID* ids, uint32_t count)
{
    if (ids == nullptr && count > 0)
        return ACF_E_POINTER;
    mProperties.idArrays[id] = std::vector<acfUID> (ids, ids + count);
    return ACF_OK;
}

AAX_CBoolean HostPropertyMap::GetPropertyWithIDArray (uint32_t id, const acfUID** outIds, uint32_t* outCount) const
{
    const auto found = mProperties.idArrays.find (id);
    if (found == mProperties.idArrays.end() || outIds == nullptr || outCount == nullptr)
        return 0;
    *outIds = found->second.data();
    *outCount = static_cast<uint32_t> (found->second.size());
    return 1;
}

AAX_CBoolean HostPropertyMap::GetPointerProperty (uint32_t id, const void** outValue) const
{
    const void* const* value = mProperties.findPointer (id);
    if (value == nullptr)
        return 0;
    if (outValue != nullptr)
        *outValue = *value;
    return 1;
}

ACFRESULT HostPropertyMap::AddPointerProperty (uint32_t id, const void* value)
{
    for (auto& entry : mProperties.pointers)
        if (entry.first == id)
        {
            entry.second = value;
            return ACF_OK;
        }
    mProperties.pointers.emplace_back (id, value);
    return ACF_OK;
}

//==============================================================================
void* HostFeatureInfo::findInterface (const acfIID& iid)
{
    if (iid == IID_IAAXFeatureInfoV1)
        return static_cast<IAAXFeatureInfoV1*> (this);
    return nullptr;
}

ACFRESULT HostFeatureInfo::SupportLevel (int32_t* outLevel) const
{
    const auto& feature = host().config().stemFormatFeature;
    if (outLevel == nullptr)
        return ACF_E_POINTER;
    if (ACFSUCCEEDED (feature.supportLevelResult))
        *outLevel = feature.supportLevel;
    return feature.supportLevelResult;
}

ACFRESULT HostFeatureInfo::AcquireProperties (IACFUnknown** outProperties)
{
    if (outProperties == nullptr)
        return ACF_E_POINTER;
    *outProperties = nullptr;
    const auto& feature = host().config().stemFormatFeature;
    if (! feature.hasProperties)
        return ACF_E_FAIL;

    auto* map = new HostPropertyMap (host());
    for (const auto& [format, value] : feature.values)
        map->put (static_cast<uint32_t> (format), value);
    return handOut (map, outProperties);
}

//==============================================================================
void* HostComponentDescriptor::findInterface (const acfIID& iid)
{
    if (iid == IID_IAAXComponentDescriptorV1 || iid == IID_IAAXComponentDescriptorV2 || iid == IID_IAAXComponentDescriptorV3)
        return static_cast<IAAXComponentDescriptorV3*> (this);
    return nullptr;
}

ACFRESULT HostComponentDescriptor::addField (const char* kind, AAX_CFieldIndex field, std::vector<int64_t> args, const char* text)
{
    std::string call = std::string ("Add") + kind + " " + std::to_string (field);
    for (const auto arg : args)
        call += " " + std::to_string (arg);
    host().recordDescriptionCall (std::move (call));
    mRecord.fields.push_back ({ kind, field, std::move (args), textOf (text) });
    return ACF_OK;
}

ACFRESULT HostComponentDescriptor::Clear()
{
    mRecord = {};
    ++mRecord.clears;
    return ACF_OK;
}

ACFRESULT HostComponentDescriptor::AddAudioIn (AAX_CFieldIndex field)           { return addField ("AudioIn", field); }
ACFRESULT HostComponentDescriptor::AddAudioOut (AAX_CFieldIndex field)          { return addField ("AudioOut", field); }
ACFRESULT HostComponentDescriptor::AddAudioBufferLength (AAX_CFieldIndex field) { return addField ("AudioBufferLength", field); }
ACFRESULT HostComponentDescriptor::AddSampleRate (AAX_CFieldIndex field)        { return addField ("SampleRate", field); }
ACFRESULT HostComponentDescriptor::AddClock (AAX_CFieldIndex field)             { return addField ("Clock", field); }
ACFRESULT HostComponentDescriptor::AddSideChainIn (AAX_CFieldIndex field)       { return addField ("SideChainIn", field); }

ACFRESULT HostComponentDescriptor::AddDataInPort (AAX_CFieldIndex field, uint32_t packetSize, int32_t portType)
{
    return addField ("DataInPort", field, { packetSize, portType });
}

ACFRESULT HostComponentDescriptor::AddAuxOutputStem (AAX_CFieldIndex field, int32_t stemFormat, const char* name)
{
    return addField ("AuxOutputStem", field, { stemFormat }, name);
}

ACFRESULT HostComponentDescriptor::AddPrivateData (AAX_CFieldIndex field, int32_t dataSize, uint32_t options)
{
    return addField ("PrivateData", field, { dataSize, options });
}

ACFRESULT HostComponentDescriptor::AddDmaInstance (AAX_CFieldIndex field, int32_t dmaMode)
{
    return addField ("DmaInstance", field, { dmaMode });
}

ACFRESULT HostComponentDescriptor::AddMeters (AAX_CFieldIndex field, const AAX_CTypeID* meterIDs, uint32_t meterCount)
{
    if (meterIDs == nullptr && meterCount > 0)
        return ACF_E_POINTER;
    std::vector<int64_t> ids;
    for (uint32_t i = 0; i < meterCount; ++i)
        ids.push_back (meterIDs[i]);
    return addField ("Meters", field, std::move (ids));
}

ACFRESULT HostComponentDescriptor::AddMIDINode (AAX_CFieldIndex field, int32_t nodeType, const char* nodeName, uint32_t channelMask)
{
    return addField ("MIDINode", field, { nodeType, channelMask }, nodeName);
}

ACFRESULT HostComponentDescriptor::AddReservedField (AAX_CFieldIndex field, uint32_t fieldType)
{
    return addField ("ReservedField", field, { fieldType });
}

ACFRESULT HostComponentDescriptor::AddTemporaryData (AAX_CFieldIndex field, uint32_t dataElementSize)
{
    return addField ("TemporaryData", field, { dataElementSize });
}

ACFRESULT HostComponentDescriptor::AddProcessProc_Native (AAX_CProcessProc processProc, IACFUnknown* properties,
                                                          AAX_CInstanceInitProc instanceInitProc,
                                                          AAX_CBackgroundProc backgroundProc, AAX_CTypeID* outProcID)
{
    // Recorded as given, a null procedure included, so that a test sees what the plug-in passed.
    ProcessProcRecord proc;
    proc.native = true;
    proc.processProc = reinterpret_cast<const void*> (processProc);
    proc.instanceInitProc = reinterpret_cast<const void*> (instanceInitProc);
    proc.backgroundProc = reinterpret_cast<const void*> (backgroundProc);
    proc.properties = HostPropertyMap::snapshotOf (properties);
    proc.procID = sNextProcID.fetch_add (1);
    host().recordDescriptionCall ("AddProcessProc_Native");
    const ACFRESULT answer = host().config().processProcResult;
    if (ACFFAILED (answer))
        return answer;
    mRecord.processProcs.push_back (proc);
    if (outProcID != nullptr)
        *outProcID = proc.procID;
    return answer;
}

ACFRESULT HostComponentDescriptor::AddProcessProc_TI (const char* dllFileName, const char* processProcSymbol,
                                                      IACFUnknown* properties, const char*, const char*,
                                                      AAX_CTypeID* outProcID)
{
    ProcessProcRecord proc;
    proc.native = false;
    proc.dllFileName = textOf (dllFileName);
    proc.processProcSymbol = textOf (processProcSymbol);
    proc.properties = HostPropertyMap::snapshotOf (properties);
    proc.procID = sNextProcID.fetch_add (1);
    host().recordDescriptionCall ("AddProcessProc_Native");
    const ACFRESULT answer = host().config().processProcResult;
    if (ACFFAILED (answer))
        return answer;
    mRecord.processProcs.push_back (proc);
    if (outProcID != nullptr)
        *outProcID = proc.procID;
    return answer;
}

ACFRESULT HostComponentDescriptor::AddProcessProc (IACFUnknown* properties, AAX_CTypeID* outProcIDs, int32_t procIDsSize)
{
    const auto* map = HostPropertyMap::from (properties);
    if (map == nullptr)
        return ACF_E_POINTER;

    std::vector<AAX_CTypeID> ids;
    const auto& snapshot = map->snapshot();
    if (snapshot.find (AAX::kProperty_PlugInID_Native) != nullptr || snapshot.find (AAX::kProperty_PlugInID_Offline) != nullptr)
    {
        auto pointer = [&snapshot] (uint32_t id) {
            const void* const* p = snapshot.findPointer (id);
            return p != nullptr ? *p : nullptr;
        };
        ProcessProcRecord proc;
        proc.processProc = pointer (AAX::kProperty_NativeProcessProc);
        proc.instanceInitProc = pointer (AAX::kProperty_NativeInstanceInitProc);
        proc.backgroundProc = pointer (AAX::kProperty_NativeBackgroundProc);
        proc.properties = snapshot;
        proc.procID = sNextProcID.fetch_add (1);
        mRecord.processProcs.push_back (proc);
        ids.push_back (proc.procID);
    }
    if (outProcIDs != nullptr)
    {
        if (static_cast<int64_t> (ids.size()) >= procIDsSize)
            return ACF_E_FAIL;
        std::copy (ids.begin(), ids.end(), outProcIDs);
        outProcIDs[ids.size()] = 0;
    }
    return ACF_OK;
}

//==============================================================================
void* HostEffectDescriptor::findInterface (const acfIID& iid)
{
    if (iid == IID_IAAXEffectDescriptorV1 || iid == IID_IAAXEffectDescriptorV2)
        return static_cast<IAAXEffectDescriptorV2*> (this);
    return nullptr;
}

ACFRESULT HostEffectDescriptor::AddComponent (IACFUnknown* componentDescriptor)
{
    const auto* component = dynamic_cast<const HostComponentDescriptor*> (componentDescriptor);
    if (component == nullptr)
        return ACF_E_POINTER;
    host().recordDescriptionCall ("AddComponent");
    mRecord.components.push_back (component->record());
    return ACF_OK;
}

ACFRESULT HostEffectDescriptor::AddName (const char* name)
{
    host().recordDescriptionCall ("AddName " + textOf (name));
    mRecord.names.push_back (textOf (name));
    return ACF_OK;
}

ACFRESULT HostEffectDescriptor::AddCategory (uint32_t category)
{
    host().recordDescriptionCall ("AddCategory " + hex (category));
    mRecord.categories.push_back (category);
    return ACF_OK;
}

ACFRESULT HostEffectDescriptor::AddCategoryBypassParameter (uint32_t category, const char* parameterID)
{
    mRecord.categoryBypassParameters.emplace_back (category, textOf (parameterID));
    return ACF_OK;
}

ACFRESULT HostEffectDescriptor::AddProcPtr (void* procPtr, int32_t procID)
{
    host().recordDescriptionCall ("AddProcPtr " + std::to_string (procID));
    mRecord.procPtrs.emplace_back (procPtr, procID);
    return ACF_OK;
}

ACFRESULT HostEffectDescriptor::SetProperties (IACFUnknown* properties)
{
    mRecord.properties.push_back (HostPropertyMap::snapshotOf (properties));
    return ACF_OK;
}

ACFRESULT HostEffectDescriptor::AddResourceInfo (int32_t resourceType, const char* info)
{
    host().recordDescriptionCall ("AddResourceInfo " + std::to_string (resourceType) + " " + textOf (info));
    mRecord.resources.emplace_back (resourceType, textOf (info));
    return ACF_OK;
}

ACFRESULT HostEffectDescriptor::AddMeterDescription (AAX_CTypeID meterID, const char* meterName, IACFUnknown* properties)
{
    host().recordDescriptionCall ("AddMeterDescription " + hex (meterID) + " " + textOf (meterName));
    mRecord.meters.push_back ({ meterID, textOf (meterName), HostPropertyMap::snapshotOf (properties) });
    return ACF_OK;
}

ACFRESULT HostEffectDescriptor::AddControlMIDINode (AAX_CTypeID, int32_t, const char*, uint32_t)
{
    ++mRecord.controlMIDINodes;
    return ACF_OK;
}

//==============================================================================
HostCollection::HostCollection (StandInHost& owner, std::shared_ptr<CollectionRecord> record)
    : HostObject (owner), mRecord (std::move (record))
{
}

void* HostCollection::findInterface (const acfIID& iid)
{
    if (iid == IID_IAAXCollectionV1)
        return static_cast<IAAXCollectionV1*> (this);
    if (iid == IID_IACFPluginDefinition)
        return static_cast<IACFPluginDefinition*> (this);
    return nullptr;
}

ACFRESULT HostCollection::AddEffect (const char* effectID, IACFUnknown* effectDescriptor)
{
    const auto* effect = dynamic_cast<const HostEffectDescriptor*> (effectDescriptor);
    if (effect == nullptr)
        return ACF_E_POINTER;
    host().recordDescriptionCall ("AddEffect " + textOf (effectID));
    EffectRecord record = effect->record();
    record.effectID = textOf (effectID);
    mRecord->effects.push_back (std::move (record));
    return ACF_OK;
}

ACFRESULT HostCollection::SetManufacturerName (const char* name)
{
    host().recordDescriptionCall ("SetManufacturerName " + textOf (name));
    mRecord->manufacturerName = textOf (name);
    return ACF_OK;
}

ACFRESULT HostCollection::AddPackageName (const char* name)
{
    host().recordDescriptionCall ("AddPackageName " + textOf (name));
    mRecord->packageNames.push_back (textOf (name));
    return ACF_OK;
}

ACFRESULT HostCollection::SetPackageVersion (uint32_t version)
{
    host().recordDescriptionCall ("SetPackageVersion " + hex (version));
    mRecord->hasPackageVersion = true;
    mRecord->packageVersion = version;
    return ACF_OK;
}

ACFRESULT HostCollection::SetProperties (IACFUnknown* properties)
{
    mRecord->properties.push_back (HostPropertyMap::snapshotOf (properties));
    return ACF_OK;
}

//==============================================================================
void registerDescriptionComponents (StandInHost& host)
{
    host.registerComponent (AAXCompID_HostServices, [] (StandInHost& h) -> IACFUnknown* { return (new HostServices (h))->asUnknown(); });
    host.registerComponent (AAXCompID_AAXCollection, [] (StandInHost& h) -> IACFUnknown* {
        h.recordDescriptionCall ("new Collection");
        return (new HostCollection (h, h.newCollectionRecord()))->asUnknown();
    });
    host.registerComponent (AAXCompID_AAXEffectDescriptor, [] (StandInHost& h) -> IACFUnknown* {
        h.recordDescriptionCall ("new EffectDescriptor");
        return (new HostEffectDescriptor (h))->asUnknown();
    });
    host.registerComponent (AAXCompID_AAXComponentDescriptor, [] (StandInHost& h) -> IACFUnknown* {
        h.recordDescriptionCall ("new ComponentDescriptor");
        return (new HostComponentDescriptor (h))->asUnknown();
    });
    host.registerComponent (AAXCompID_AAXPropertyMap, [] (StandInHost& h) -> IACFUnknown* {
        h.recordDescriptionCall ("new PropertyMap");
        return (new HostPropertyMap (h))->asUnknown();
    });
}
} // namespace tarnello::host
