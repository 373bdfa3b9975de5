// Our own stand-in for the host application's view of a plug-in bundle: the
// seven C entry points every bundle exports, as the plug-in defines them and as
// the host looks them up.
#pragma once

#include "aax/acf/ACFBase.h"

extern "C"
{
using ACFStartupProc           = ACFRESULT (*) (IACFUnknown* hostUnknown);
using ACFRegisterPluginProc    = ACFRESULT (*) (IACFUnknown* hostUnknown, IACFPluginDefinition** outDefinition);
using ACFRegisterComponentProc = ACFRESULT (*) (IACFUnknown* hostUnknown, const acfCLSID& componentID,
                                                IACFComponentDefinition** outDefinition);
using ACFGetClassFactoryProc   = ACFRESULT (*) (IACFUnknown* hostUnknown, const acfCLSID& classID,
                                                const acfIID& iid, void** outFactory);
using ACFCanUnloadNowProc      = ACFRESULT (*) (IACFUnknown* hostUnknown);
using ACFShutdownProc          = ACFRESULT (*) (IACFUnknown* hostUnknown);
using ACFGetSDKVersionProc     = ACFRESULT (*) (acfUInt64* outVersion);
}

// The exported names, in the order the host looks them up.
inline constexpr const char* kACFExportNames[] = {
    "ACFStartup", "ACFRegisterPlugin", "ACFRegisterComponent", "ACFGetClassFactory",
    "ACFCanUnloadNow", "ACFShutdown", "ACFGetSDKVersion",
};
