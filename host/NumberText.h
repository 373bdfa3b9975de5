#pragma once

#include <juce_core/juce_core.h>

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace tarnello::host
{
// A finite number and nothing else around it.
inline bool parseNumber (const juce::String& text, double& result)
{
    const auto utf8 = text.trim().toStdString();
    if (utf8.empty())
        return false;
    char* end = nullptr;
    result = std::strtod (utf8.c_str(), &end);
    return end == utf8.c_str() + utf8.size() && std::isfinite (result);
}

// A finite number, perhaps followed by its unit ("20 ms", "20%").
inline bool parseQuantity (const juce::String& text, double& result)
{
    const auto utf8 = text.trim().toStdString();
    if (utf8.empty())
        return false;
    char* end = nullptr;
    result = std::strtod (utf8.c_str(), &end);
    if (end == utf8.c_str() || ! std::isfinite (result))
        return false;
    for (const char* c = end; *c != '\0'; ++c)
        if (! (std::isalpha (static_cast<unsigned char> (*c)) || *c == '%' || *c == ' '))
            return false;
    return true;
}
} // namespace tarnello::host
