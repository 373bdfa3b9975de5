#pragma once

#include <tsl/robin_map.h>

#include "framework/ModuleParam.h"

class ModuleFloatParam : public ModuleParam
{
public:
    ModuleFloatParam (Listener* listener, const juce::String& name, double defaultValue,
                      double minimum, double maximum, double step, const juce::String& unit);

    void setNormalized (double normalized, bool notifyHost) override;
    double getNormalized() override;
    double getNormalizedFor (double realValue) override;
    double getRealValueFor (double normalized) override;
    juce::String getDisplayValue() override;
    juce::String getValueAsString() override;
    juce::String getValueAsStringFor (double realValue) override;
    double getValueForText (const juce::String& text) override;
    void setValue (double v) override;

    // What setValue would store for `v`: snapped and clamped; NaN when it would store nothing.
    double getLegalValueFor (double v) const;

    // Particular values with a text of their own, such as 0 -> "Off".
    tsl::robin_map<double, juce::String> valueTexts;
};
