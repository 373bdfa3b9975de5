#include "aax/AAX_CHostServices.h"

#include "aax/AAX_VHostServices.h"

#include <cstdarg>
#include <cstdio>

std::atomic<AAX_VHostServices*> sHostServices { nullptr };

namespace AAX_CHostServices
{
namespace
{
constexpr int kTraceBufferSize = 512;
}

AAX_VHostServices* GetAAXHostServices() noexcept
{
    return sHostServices.load (std::memory_order_acquire);
}

void SetAAXHostServices (AAX_VHostServices* services) noexcept
{
    sHostServices.store (services, std::memory_order_release);
}

void Trace (int32_t priority, const char* format, ...)
{
    auto* services = GetAAXHostServices();
    if (services == nullptr || format == nullptr)
        return;

    char buffer[kTraceBufferSize];
    va_list args;
    va_start (args, format);
    const int written = std::vsnprintf (buffer, sizeof (buffer), format, args);
    va_end (args);
    if (written < 0)
        return;

    services->Trace (priority, buffer);
}

void HandleAssertFailure (const char* file, int32_t line, const char* note, int32_t type)
{
    if (auto* services = GetAAXHostServices())
        services->HandleAssertFailure (file, line, note, type);
}
} // namespace AAX_CHostServices
