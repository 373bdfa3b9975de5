#include "aax/AAX_VPropertyMap.h"

#include "aax/AAX_HostFactory.h"

#include <memory>

const std::set<uint32_t> AAX_VPropertyMap::PointerPropertiesUsedByAddProcessProc { 36, 37, 38, 39, 40, 41, 42, 43 };

namespace
{
bool IsStemFormatProperty (uint32_t id) noexcept
{
    return id == AAX::kProperty_InputStemFormat || id == AAX::kProperty_OutputStemFormat;
}

// A host without a description host knows only the classic formats.
bool IsClassicStemFormat (AAX_CPropertyValue value) noexcept
{
    return (value >= 0 && value <= AAX::kStemFormat_NewestClassic) || value == AAX::kStemFormat_Any
           || value == AAX::kStemFormat_None;
}
} // namespace

AAX_VPropertyMap* AAX_VPropertyMap::Create (IACFUnknown* hostUnknown)
{
    auto factory = AAX::QueryHostFactory (hostUnknown);
    if (! factory)
        return nullptr;

    std::unique_ptr<AAX_VPropertyMap> map (new AAX_VPropertyMap());
    map->mPropertyMapV1.create (factory.get(), AAXCompID_AAXPropertyMap, IID_IAAXPropertyMapV1);
    map->mPropertyMapV2.query (map->mPropertyMapV1.get(), IID_IAAXPropertyMapV2);
    map->mPropertyMapV3.query (map->mPropertyMapV1.get(), IID_IAAXPropertyMapV3);
    map->FindDescriptionHost (hostUnknown, factory.get());
    return map.release();
}

AAX_VPropertyMap* AAX_VPropertyMap::Acquire (IACFUnknown* propertyMapUnknown)
{
    std::unique_ptr<AAX_VPropertyMap> map (new AAX_VPropertyMap());
    map->mPropertyMapV1.query (propertyMapUnknown, IID_IAAXPropertyMapV1);
    map->mPropertyMapV2.query (propertyMapUnknown, IID_IAAXPropertyMapV2);
    map->mPropertyMapV3.query (propertyMapUnknown, IID_IAAXPropertyMapV3);
    map->FindDescriptionHost (nullptr, nullptr);
    return map.release();
}

AAX_VPropertyMap::~AAX_VPropertyMap() = default;

void AAX_VPropertyMap::FindDescriptionHost (IACFUnknown* hostUnknown, IACFUnknown* factory)
{
    IACFUnknown* const candidates[] = { hostUnknown, factory, mPropertyMapV1.get(), mPropertyMapV2.get(), mPropertyMapV3.get() };
    for (auto* candidate : candidates)
    {
        if (candidate == nullptr)
            continue;
        mDescriptionHost.query (candidate, IID_IAAXDescriptionHostV1);
        if (mDescriptionHost)
            return;
    }
}

AAX_CBoolean AAX_VPropertyMap::GetProperty (uint32_t id, AAX_CPropertyValue* outValue) const
{
    if (! mPropertyMapV1 || outValue == nullptr)
        return 0;
    return mPropertyMapV1->GetProperty (id, outValue) != 0 ? 1 : 0;
}

AAX_CBoolean AAX_VPropertyMap::GetPointerProperty (uint32_t id, const void** outValue) const
{
    if (outValue == nullptr)
        return 0;
    if (mPropertyMapV3)
        return mPropertyMapV3->GetPointerProperty (id, outValue) != 0 ? 1 : 0;

    const auto found = mLocalPointerProperties.find (id);
    if (found == mLocalPointerProperties.end())
        return 0;
    *outValue = found->second;
    return 1;
}

AAX_Result AAX_VPropertyMap::AddProperty (uint32_t id, AAX_CPropertyValue value)
{
    if (IsStemFormatProperty (id) && ! mDescriptionHost && ! IsClassicStemFormat (value))
        return AAX_ERROR_PROPERTY_UNDEFINED;
    if (! mPropertyMapV1)
        return AAX_ERROR_NULL_OBJECT;
    return mPropertyMapV1->AddProperty (id, value);
}

AAX_Result AAX_VPropertyMap::AddPointerProperty (uint32_t id, const void* value)
{
    if (mPropertyMapV3)
        return mPropertyMapV3->AddPointerProperty (id, value);
    if (PointerPropertiesUsedByAddProcessProc.count (id) == 0)
        return AAX_ERROR_UNIMPLEMENTED;
    mLocalPointerProperties[id] = value;
    return AAX_SUCCESS;
}

AAX_Result AAX_VPropertyMap::AddPointerProperty (uint32_t id, const char* value)
{
    return AddPointerProperty (id, static_cast<const void*> (value));
}

AAX_Result AAX_VPropertyMap::RemoveProperty (uint32_t id)
{
    // A pointer kept locally goes too, so that a removed procedure is never read back.
    mLocalPointerProperties.erase (id);
    if (! mPropertyMapV1)
        return AAX_ERROR_NULL_OBJECT;
    return mPropertyMapV1->RemoveProperty (id);
}

AAX_Result AAX_VPropertyMap::AddPropertyWithIDArray (uint32_t id, const acfUID* ids, uint32_t count)
{
    if (! mPropertyMapV2)
        return AAX_ERROR_UNIMPLEMENTED;
    return mPropertyMapV2->AddPropertyWithIDArray (id, ids, count);
}

AAX_CBoolean AAX_VPropertyMap::GetPropertyWithIDArray (uint32_t id, const acfUID** outIds, uint32_t* outCount) const
{
    if (! mPropertyMapV2 || outIds == nullptr || outCount == nullptr)
        return 0;
    return mPropertyMapV2->GetPropertyWithIDArray (id, outIds, outCount) != 0 ? 1 : 0;
}

IACFUnknown* AAX_VPropertyMap::GetIUnknown() const
{
    if (mPropertyMapV3)
        return mPropertyMapV3.get();
    if (mPropertyMapV2)
        return mPropertyMapV2.get();
    return mPropertyMapV1.get();
}
