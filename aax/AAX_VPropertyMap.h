// Proxy of a host property map: key/value properties of a component, a meter
// or a feature. Without version 3 the pointer properties that the process
// procedures need are kept in a local table.
#pragma once

#include "aax/ACFPtr.h"
#include "aax/AAX_Errors.h"

#include "aax/acf/AAXDescriptionInterfaces.h"

#include <map>
#include <set>

class AAX_VPropertyMap
{
public:
    // A new host map through the host's factory; null without a host unknown or
    // when the factory query fails. Throws the null-factory integer.
    static AAX_VPropertyMap* Create (IACFUnknown* hostUnknown);
    // Wraps a map the host handed out (no reference is taken over from the caller).
    static AAX_VPropertyMap* Acquire (IACFUnknown* propertyMapUnknown);

    virtual ~AAX_VPropertyMap();

    AAX_VPropertyMap (const AAX_VPropertyMap&) = delete;
    AAX_VPropertyMap& operator= (const AAX_VPropertyMap&) = delete;

    virtual AAX_CBoolean GetProperty (uint32_t id, AAX_CPropertyValue* outValue) const;
    virtual AAX_CBoolean GetPointerProperty (uint32_t id, const void** outValue) const;
    virtual AAX_Result AddProperty (uint32_t id, AAX_CPropertyValue value);
    virtual AAX_Result AddPointerProperty (uint32_t id, const void* value);
    virtual AAX_Result AddPointerProperty (uint32_t id, const char* value);
    virtual AAX_Result RemoveProperty (uint32_t id);
    virtual AAX_Result AddPropertyWithIDArray (uint32_t id, const acfUID* ids, uint32_t count);
    virtual AAX_CBoolean GetPropertyWithIDArray (uint32_t id, const acfUID** outIds, uint32_t* outCount) const;
    // What is passed to the host for this map: the newest version it has, or null.
    virtual IACFUnknown* GetIUnknown() const;

    bool HasDescriptionHost() const noexcept { return static_cast<bool> (mDescriptionHost); }

    // The pointer properties that AddProcessProc reads; the only ones the local table keeps.
    static const std::set<uint32_t> PointerPropertiesUsedByAddProcessProc;

private:
    AAX_VPropertyMap() = default;
    void FindDescriptionHost (IACFUnknown* hostUnknown, IACFUnknown* factory);

    ACFPtr<IAAXPropertyMapV1> mPropertyMapV1;
    ACFPtr<IAAXPropertyMapV2> mPropertyMapV2;
    ACFPtr<IAAXPropertyMapV3> mPropertyMapV3;
    ACFPtr<IAAXDescriptionHostV1> mDescriptionHost;
    std::map<uint32_t, const void*> mLocalPointerProperties;
};

// Returns the map's unknown for passing to the host, or null for no map.
inline IACFUnknown* AAX_PropertyMapUnknown (const AAX_VPropertyMap* map)
{
    return map != nullptr ? map->GetIUnknown() : nullptr;
}
