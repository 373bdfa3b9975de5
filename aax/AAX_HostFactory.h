// How the description-phase proxies reach the host's component factory.
#pragma once

#include "aax/ACFPtr.h"

#include "aax/acf/AAXIDs.h"

namespace AAX
{
// The integer the registration-phase proxies throw when the host answers the
// factory query with success but no factory. ACFRegisterPlugin catches it.
constexpr int kNullFactoryException = static_cast<int> (0x80000005u);

// Asks the host unknown for its factory. A failed query (or no host unknown)
// leaves the result empty; a successful query that yields null throws.
inline ACFPtr<IACFComponentFactory> QueryHostFactory (IACFUnknown* hostUnknown)
{
    ACFPtr<IACFComponentFactory> factory;
    if (hostUnknown == nullptr)
        return factory;
    if (ACFSUCCEEDED (factory.query (hostUnknown, IID_IACFComponentFactory)) && ! factory)
        throw kNullFactoryException;
    return factory;
}
} // namespace AAX
