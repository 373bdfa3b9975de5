// What the stand-in host offers: which interface ids it answers, which
// component creations fail, and what its stem-format feature says. A test
// changes it between calls to reach the plug-in's failure paths.
#pragma once

#include "aax/acf/ACFBase.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>

namespace tarnello::host
{
struct StemFormatFeature
{
    // Without it the description host refuses to acquire the feature.
    bool present = false;
    ACFRESULT supportLevelResult = ACF_OK;
    int32_t supportLevel = 4;
    // Without it AcquireProperties fails.
    bool hasProperties = true;
    // Format code to the value the feature's property map holds for it.
    std::map<int32_t, int32_t> values;
};

struct HostConfig
{
    // Ids that no host object answers.
    std::set<acfIID> omittedInterfaces;
    // Component ids whose creation fails.
    std::set<acfCLSID> failingComponents;
    // Every query for the component factory succeeds and yields null.
    bool nullFactoryOnSuccess = false;

    StemFormatFeature stemFormatFeature;
    // What a component descriptor answers to AddProcessProc_Native.
    ACFRESULT processProcResult = ACF_OK;

    HostConfig& omit (const acfIID& iid)          { omittedInterfaces.insert (iid); return *this; }
    HostConfig& failCreation (const acfCLSID& id) { failingComponents.insert (id); return *this; }
};
} // namespace tarnello::host
