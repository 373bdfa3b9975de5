#include "editor/ModuleControlAttachment.h"

#include "framework/HostParameter.h"
#include "framework/ModuleParam.h"

#include <cmath>

namespace
{
bool startsWithNumber (const juce::String& text)
{
    auto p = text.getCharPointer();
    while (p.isWhitespace())
        ++p;
    if (*p == '-' || *p == '+')
        ++p;
    if (*p == '.')
        ++p;
    return juce::CharacterFunctions::isDigit (*p);
}
} // namespace

int ModuleControlAttachment::getHostParamIndex()
{
    if (param == nullptr)
        return -1;
    auto* host = param->getHostParameter();
    return host != nullptr ? host->index : -1;
}

int ModuleControlAttachment::getParamIndex()
{
    return param != nullptr ? param->paramIndex : -1;
}

std::optional<double> ModuleControlAttachment::typedValue (const juce::String& text, double start, double end)
{
    if (! startsWithNumber (text))
        return std::nullopt;

    const double read = text.getDoubleValue();
    if (std::isnan (read))
        return std::nullopt;

    // Values travel at the host's float precision. Clamp here: a parameter whose
    // range snaps through a function of its own is not clamped by the range, and a
    // typed 99999 must not reach the module.
    const double limit = (double) std::numeric_limits<float>::max();
    const double narrowed = (double) (float) juce::jlimit (-limit, limit, read);
    const double hi = juce::jmax (start, end);
    return juce::jlimit (start, hi, narrowed);
}
