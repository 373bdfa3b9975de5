// The bundle's seven entry points, the only symbols it exports. Each catches
// whatever the layer lets through, so no exception ever crosses into the host.

#include "aax/ACFEntryPoints.h"
#include "aax/AAX_Errors.h"

#include "aax/acf/ACFExports.h"

#include "aax/bridge/EffectDescription.h"

#include <type_traits>

#define TARNELLO_ACF_EXPORT extern "C" __attribute__ ((visibility ("default")))

namespace
{
template <class Call>
ACFRESULT Guarded (Call&& call) noexcept
{
    try
    {
        return call();
    }
    catch (...)
    {
        return AAX_ERROR_UNKNOWN_EXCEPTION;
    }
}
} // namespace

TARNELLO_ACF_EXPORT ACFRESULT ACFStartup (IACFUnknown* hostUnknown)
{
    return Guarded ([&] { return AAX::Startup (hostUnknown); });
}

TARNELLO_ACF_EXPORT ACFRESULT ACFRegisterPlugin (IACFUnknown* hostUnknown, IACFPluginDefinition** outDefinition)
{
    return Guarded ([&] { return AAX::RegisterPlugin (hostUnknown, outDefinition, &tarnello::aax::DescribeProduct); });
}

TARNELLO_ACF_EXPORT ACFRESULT ACFRegisterComponent (IACFUnknown* hostUnknown, const acfCLSID& componentID,
                                                   IACFComponentDefinition** outDefinition)
{
    return Guarded ([&] { return AAX::RegisterComponent (hostUnknown, componentID, outDefinition); });
}

TARNELLO_ACF_EXPORT ACFRESULT ACFGetClassFactory (IACFUnknown* hostUnknown, const acfCLSID& classID, const acfIID& iid,
                                                 void** outFactory)
{
    return Guarded ([&] { return AAX::GetClassFactory (hostUnknown, classID, iid, outFactory); });
}

TARNELLO_ACF_EXPORT ACFRESULT ACFCanUnloadNow (IACFUnknown* hostUnknown)
{
    return Guarded ([&] { return AAX::CanUnloadNow (hostUnknown); });
}

TARNELLO_ACF_EXPORT ACFRESULT ACFShutdown (IACFUnknown* hostUnknown)
{
    return Guarded ([&] { return AAX::Shutdown (hostUnknown); });
}

TARNELLO_ACF_EXPORT ACFRESULT ACFGetSDKVersion (acfUInt64* outVersion)
{
    return Guarded ([&] { return AAX::GetSDKVersion (outVersion); });
}

// The exports must keep the host's shapes.
static_assert (std::is_same_v<decltype (&ACFStartup), ACFStartupProc>);
static_assert (std::is_same_v<decltype (&ACFRegisterPlugin), ACFRegisterPluginProc>);
static_assert (std::is_same_v<decltype (&ACFRegisterComponent), ACFRegisterComponentProc>);
static_assert (std::is_same_v<decltype (&ACFGetClassFactory), ACFGetClassFactoryProc>);
static_assert (std::is_same_v<decltype (&ACFCanUnloadNow), ACFCanUnloadNowProc>);
static_assert (std::is_same_v<decltype (&ACFShutdown), ACFShutdownProc>);
static_assert (std::is_same_v<decltype (&ACFGetSDKVersion), ACFGetSDKVersionProc>);
