// The one place through which the layer traces and reports assertions: the
// host-services proxy that ACFStartup keeps for the life of the bundle.
#pragma once

#include "aax/AAX_Errors.h"

#include "aax/acf/AAXDescriptionInterfaces.h"

#include <atomic>
#include <cstdint>

class AAX_VHostServices;

// Null before ACFStartup and after ACFShutdown. Written only by those two.
extern std::atomic<AAX_VHostServices*> sHostServices;

namespace AAX_CHostServices
{
// printf-style; the text is cut to 511 characters. Does nothing without a proxy.
void Trace (int32_t priority, const char* format, ...)
#if defined(__GNUC__)
    __attribute__ ((format (printf, 2, 3)))
#endif
    ;

// Reports a failed condition to the host; skipped without a proxy.
void HandleAssertFailure (const char* file, int32_t line, const char* note, int32_t type);

AAX_VHostServices* GetAAXHostServices() noexcept;
void SetAAXHostServices (AAX_VHostServices* services) noexcept;
} // namespace AAX_CHostServices

// Assertion site: reports the condition's text with this file and line.
#define AAX_ASSERT(condition)                                                                       \
    do                                                                                              \
    {                                                                                               \
        if (! (condition))                                                                          \
            AAX_CHostServices::HandleAssertFailure (__FILE__, __LINE__, #condition, AAX::kAssertType_Plugin); \
    } while (false)
