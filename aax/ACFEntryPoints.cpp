#include "aax/ACFEntryPoints.h"

#include "aax/AAX_CHostServices.h"
#include "aax/AAX_CheckedResult.h"
#include "aax/AAX_Exception.h"
#include "aax/AAX_VCollection.h"
#include "aax/AAX_VHostServices.h"
#include "aax/CACFUnknown.h"

#include "aax/acf/AAXIDs.h"

#include <exception>
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

ACFRESULT RegisterPlugin (IACFUnknown* hostUnknown, IACFPluginDefinition** outDefinition, DescribeFunction describe)
{
    // Without a place to put the definition the host could never use the registration.
    if (outDefinition == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outDefinition = nullptr;

    constexpr const char* kCaught = "AAXRegisterPlugin exception caught: %s";
    try
    {
        AAX_VCollection collection (hostUnknown);

        AAX_CheckedResult result;
        result = describe != nullptr ? describe (collection) : AAX_ERROR_NULL_OBJECT;

        ACFPtr<IACFPluginDefinition> definition;
        AAX_Result definitionResult = AAX_ERROR_NULL_OBJECT;
        if (collection.GetIUnknown() != nullptr
            && ACFSUCCEEDED (definition.query (collection.GetIUnknown(), IID_IACFPluginDefinition)) && definition)
            definitionResult = AAX_SUCCESS;
        result = definitionResult;

        *outDefinition = definition.get();
        (*outDefinition)->AddRef();
        return AAX_SUCCESS;
    }
    catch (const AAX::Exception::ResultError& error)
    {
        AAX_CHostServices::Trace (AAX::kTracePriority_Critical, kCaught, error.What().c_str());
        return error.Result();
    }
    catch (const AAX::Exception::Any& error)
    {
        AAX_CHostServices::Trace (AAX::kTracePriority_Critical, kCaught, error.What().c_str());
        return AAX_ERROR_UNKNOWN_EXCEPTION;
    }
    catch (const std::exception& error)
    {
        AAX_CHostServices::Trace (AAX::kTracePriority_Critical, kCaught, error.what());
        return AAX_ERROR_UNKNOWN_EXCEPTION;
    }
    catch (...)
    {
        AAX_CHostServices::Trace (AAX::kTracePriority_Critical, "AAXRegisterPlugin exception caught: unknown");
        return AAX_ERROR_UNKNOWN_EXCEPTION;
    }
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
