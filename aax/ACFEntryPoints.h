// The work behind the bundle's seven exported entry points. The exports
// themselves (ACFExports.cpp) only forward here and catch whatever escapes, so
// that nothing thrown inside the layer ever reaches the host.
#pragma once

#include "aax/AAX_Errors.h"

#include "aax/acf/ACFBase.h"

class AAX_VCollection;

namespace AAX
{
// 0x00000204013449E0: interface version 0x204, build 20204000.
constexpr acfUInt64 kSDKVersion = (acfUInt64 { 0x204 } << 32) | 20204000u;

// Fills the collection with the plug-in's description; answers 0 when an effect was described.
using DescribeFunction = AAX_Result (*) (AAX_VCollection& collection);

ACFRESULT Startup (IACFUnknown* hostUnknown);
ACFRESULT RegisterPlugin (IACFUnknown* hostUnknown, IACFPluginDefinition** outDefinition, DescribeFunction describe);
ACFRESULT RegisterComponent (IACFUnknown* hostUnknown, const acfCLSID& componentID, IACFComponentDefinition** outDefinition);
ACFRESULT GetClassFactory (IACFUnknown* hostUnknown, const acfCLSID& classID, const acfIID& iid, void** outFactory);
ACFRESULT CanUnloadNow (IACFUnknown* hostUnknown);
ACFRESULT Shutdown (IACFUnknown* hostUnknown);
ACFRESULT GetSDKVersion (acfUInt64* outVersion);
} // namespace AAX
