#pragma once

#include "host/runtime/PlainNumber.h"

#include <juce_core/juce_core.h>

namespace tarnello::host
{
// A finite plain decimal number and nothing else around it: "--tempo 0x3c" is
// refused, not read as 60.
inline bool parseNumber (const juce::String& text, double& result)
{
    const auto value = plainNumber (text.toStdString());
    if (! value.has_value())
        return false;
    result = *value;
    return true;
}
} // namespace tarnello::host
