#include "framework/ModuleFloatParam.h"

#include <cmath>
#include <limits>

namespace
{
double clampToRange (const juce::NormalisableRange<double>& range, double v)
{
    const double lo = range.start;
    const double hi = juce::jmax (range.start, range.end);
    if (! (v >= lo))
        return lo; // also NaN
    return v > hi ? hi : v;
}

double clampToUnit (double n)
{
    if (! (n >= 0.0))
        return 0.0; // also NaN
    return n > 1.0 ? 1.0 : n;
}
} // namespace

ModuleFloatParam::ModuleFloatParam (Listener* paramListener, const juce::String& paramName, double defaultVal,
                                    double minimum, double maximum, double step, const juce::String& unitLabel)
    : ModuleParam (paramListener, paramName, defaultVal, minimum, maximum, step, unitLabel)
{
    isFloat = true;
}

void ModuleFloatParam::setNormalized (double normalized, bool notifyHost)
{
    if (! std::isfinite (normalized))
        return;

    const double v = getRealValueFor (normalized);
    if (notifyHost)
        setValueNotifyingHost (v);
    else
        setValue (v);
}

double ModuleFloatParam::getNormalized()
{
    return getNormalizedFor (getValue());
}

double ModuleFloatParam::getNormalizedFor (double realValue)
{
    if (! (range.end > range.start))
        return 0.0;

    // Clamp first: the range asserts on out-of-range input, and a curved range
    // would otherwise take the power of a negative number.
    return clampToUnit (range.convertTo0to1 (clampToRange (range, realValue)));
}

double ModuleFloatParam::getRealValueFor (double normalized)
{
    return range.convertFrom0to1 (clampToUnit (normalized));
}

juce::String ModuleFloatParam::getDisplayValue()
{
    const double v = getValue();

    if (! valueTexts.empty())
    {
        auto it = valueTexts.find (v);
        if (it != valueTexts.end())
            return it->second;
    }

    return juce::String (v, getDecimals()) + (spaceBeforeUnit ? " " : "") + unit;
}

juce::String ModuleFloatParam::getValueAsString()
{
    return juce::String (getValue(), getDecimals());
}

juce::String ModuleFloatParam::getValueAsStringFor (double realValue)
{
    const double legal = getLegalValueFor (realValue);
    if (! std::isfinite (legal))
        return getValueAsString(); // setValue would keep the current value
    return juce::String (legal, decimalsForValue ? decimalsForValue (legal) : getDecimals());
}

double ModuleFloatParam::getLegalValueFor (double v) const
{
    if (! std::isfinite (v))
        return std::numeric_limits<double>::quiet_NaN();

    // Clamp after every snap, a custom one included, so that no value outside the
    // range ever reaches the module.
    const double snapped = range.snapToLegalValue (v);
    if (! std::isfinite (snapped))
        return std::numeric_limits<double>::quiet_NaN();
    return clampToRange (range, snapped);
}

double ModuleFloatParam::getValueForText (const juce::String& text)
{
    // Texts are read at the host's float precision; a magnitude beyond float
    // saturates instead of overflowing the conversion.
    const double v = text.getDoubleValue();
    if (std::isnan (v))
        return v;
    const double limit = (double) std::numeric_limits<float>::max();
    return (double) (float) juce::jlimit (-limit, limit, v);
}

void ModuleFloatParam::setValue (double v)
{
    const double old = getValue();
    const double newValue = getLegalValueFor (v);
    if (std::isnan (newValue))
        return;

    if (decimalsForValue)
        decimals.store (decimalsForValue (newValue), std::memory_order_relaxed);
    value.store (newValue, std::memory_order_relaxed);

    if (listener != nullptr && ! (newValue == old))
        listener->parameterChanged (this);
}
