// Proxy of the host's services: traces, stack traces and assertion reports.
// Each version may be missing; a call on a missing version answers a code.
#pragma once

#include "aax/ACFPtr.h"
#include "aax/AAX_Errors.h"

#include "aax/acf/AAXDescriptionInterfaces.h"

class AAX_VHostServices
{
public:
    // Created empty; ACFStartup fills the versions the host offers.
    AAX_VHostServices() = default;
    virtual ~AAX_VHostServices();

    AAX_VHostServices (const AAX_VHostServices&) = delete;
    AAX_VHostServices& operator= (const AAX_VHostServices&) = delete;

    virtual AAX_Result HandleAssertFailure (const char* file, int32_t line, const char* note, int32_t type) const;
    virtual AAX_Result Trace (int32_t priority, const char* message) const;
    virtual AAX_Result StackTrace (int32_t traceLevel, int32_t stackTraceLevel, const char* message) const;

    // Creates the three versions through the host's factory; a failed creation leaves its slot empty.
    void CreateVersions (IACFComponentFactory& factory);

    bool HasVersion1() const noexcept { return static_cast<bool> (mServicesV1); }
    bool HasVersion2() const noexcept { return static_cast<bool> (mServicesV2); }
    bool HasVersion3() const noexcept { return static_cast<bool> (mServicesV3); }

private:
    // Declared oldest first so that they are released newest first.
    ACFPtr<IAAXHostServicesV1> mServicesV1;
    ACFPtr<IAAXHostServicesV2> mServicesV2;
    ACFPtr<IAAXHostServicesV3> mServicesV3;
};
