#include "aax/AAX_VHostServices.h"

AAX_VHostServices::~AAX_VHostServices() = default;

void AAX_VHostServices::CreateVersions (IACFComponentFactory& factory)
{
    mServicesV1.create (&factory, AAXCompID_HostServices, IID_IAAXHostServicesV1);
    mServicesV2.create (&factory, AAXCompID_HostServices, IID_IAAXHostServicesV2);
    mServicesV3.create (&factory, AAXCompID_HostServices, IID_IAAXHostServicesV3);
}

AAX_Result AAX_VHostServices::HandleAssertFailure (const char* file, int32_t line, const char* note, int32_t type) const
{
    if (! mServicesV3)
        return AAX_ERROR_NULL_OBJECT;
    return mServicesV3->HandleAssertFailure (file, line, note, type);
}

AAX_Result AAX_VHostServices::Trace (int32_t priority, const char* message) const
{
    if (! mServicesV1)
        return AAX_ERROR_NULL_OBJECT;
    return mServicesV1->Trace (priority, message);
}

AAX_Result AAX_VHostServices::StackTrace (int32_t traceLevel, int32_t stackTraceLevel, const char* message) const
{
    if (! mServicesV2)
        return AAX_ERROR_UNIMPLEMENTED;
    return mServicesV2->StackTrace (traceLevel, stackTraceLevel, message);
}
