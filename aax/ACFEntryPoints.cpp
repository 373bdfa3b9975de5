#include "ACFEntryPoints.h"

#include "AAX_CHostServices.h"
#include "AAX_VHostServices.h"
#include "CACFUnknown.h"

#include <acf/AAXIDs.h>

#include <memory>

namespace AAX
{
ACFRESULT Startup (IACFUnknown* hostUnknown)
{
    if (hostUnknown == nullptr)
    {
        delete sHostServices.exchange (nullptr);
        return ACF_OK;
    }

    if (AAX_CHostServices::GetAAXHostServices() != nullptr)
        return ACF_OK;

    auto services = std::make_unique<AAX_VHostServices>();
    ACFPtr<IACFComponentFactory> factory;
    if (ACFSUCCEEDED (factory.query (hostUnknown, IID_IACFComponentFactory)))
    {
        if (! factory)
            return ACF_E_UNEXPECTED;
        services->CreateVersions (*factory.get());
    }

    factory.reset();
    AAX_CHostServices::SetAAXHostServices (services.release());
    return ACF_OK;
}

ACFRESULT RegisterComponent (IACFUnknown*, const acfCLSID&, IACFComponentDefinition** outDefinition)
{
    if (outDefinition != nullptr)
        *outDefinition = nullptr;
    return ACF_OK;
}

ACFRESULT GetClassFactory (IACFUnknown*, const acfCLSID&, const acfIID&, void** outFactory)
{
    if (outFactory != nullptr)
        *outFactory = nullptr;
    return AAX_ERROR_UNIMPLEMENTED;
}

ACFRESULT CanUnloadNow (IACFUnknown*)
{
    return CACFUnknown::ActiveObjects();
}

ACFRESULT Shutdown (IACFUnknown*)
{
    delete sHostServices.exchange (nullptr);
    return ACF_OK;
}

ACFRESULT GetSDKVersion (acfUInt64* outVersion)
{
    if (outVersion == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outVersion = kSDKVersion;
    return ACF_OK;
}
} // namespace AAX
