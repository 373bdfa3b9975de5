#include "framework/ModuleParam.h"

#include <cmath>

#include "framework/HostParameter.h"

void ModuleParam::Listener::paramEndChangeGesture (ModuleParam*) {}

ModuleParam::ModuleParam (Listener* paramListener, const juce::String& paramName, double defaultVal,
                          double minimum, double maximum, double step, const juce::String& unitLabel)
    : listener (paramListener),
      name (paramName),
      nameHash (paramName.hashCode()),
      unit (unitLabel),
      value (defaultVal),
      defaultValue (defaultVal),
      decimals (decimalsForStep (step))
{
    // Set the fields directly: the range constructor asserts on a one-choice
    // enum, whose start and end coincide.
    range.start = minimum;
    range.end = maximum;
    range.interval = step;
    range.skew = 1.0;
    range.symmetricSkew = false;
}

ModuleParam::~ModuleParam() = default;

int ModuleParam::decimalsForStep (double step)
{
    if (! std::isfinite (step))
        return 0;

    auto isWhole = [] (double r) { return r == std::floor (r); };

    double r = std::round (step * 10000.0) / 10000.0;
    if (isWhole (r))
        return 0;

    for (int places = 1; places <= 3; ++places)
    {
        r = std::round (r * 10.0 * 10000.0) / 10000.0;
        if (isWhole (r))
            return places;
    }

    return 4;
}

void ModuleParam::setValueNotifyingHost (double v)
{
    if (! std::isfinite (v))
        return;

    setValue (v);

    auto* host = getHostParameter();
    if (host == nullptr)
        return;

    // The host hears the requested value, not the snapped one. The value takes the
    // host's float round trip straight, not through the host parameter's binding, so
    // the audio thread (a synced "Time") never copies or frees a binding, and a
    // rebind under way can't hand the value to the parameter the host one now serves.
    const auto normalized = (float) getNormalizedFor (v);
    setNormalized ((double) normalized, false);
    host->sendValueChangedMessageToListeners (normalized);
}

void ModuleParam::beginChangeGesture()
{
    if (auto* host = getHostParameter())
        host->beginChangeGesture();
}

void ModuleParam::endChangeGesture()
{
    if (listener != nullptr)
        listener->paramEndChangeGesture (this);

    if (auto* host = getHostParameter())
        host->endChangeGesture();
}

void ModuleParam::setParamRanges (ParamRanges* ranges, std::function<double (double, double, double)> snap,
                                  std::function<int (double)> decimalsFor)
{
    paramRanges.reset (ranges);
    decimalsForValue = std::move (decimalsFor);

    // The remap functions read paramRanges on every call, so a later replacement
    // takes effect at once.
    auto fromNormalized = [this] (double start, double end, double n)
    {
        if (paramRanges != nullptr)
            return paramRanges->fromNormalized (n);
        return start + (end - start) * juce::jlimit (0.0, 1.0, n);
    };

    auto toNormalized = [this] (double start, double end, double v)
    {
        if (paramRanges != nullptr)
            return paramRanges->toNormalized (v);
        if (! (end > start))
            return 0.0;
        return juce::jlimit (0.0, 1.0, (v - start) / (end - start));
    };

    const auto start = range.start;
    const auto end = range.end;
    range = juce::NormalisableRange<double> (start, end, std::move (fromNormalized),
                                             std::move (toNormalized), std::move (snap));
}
