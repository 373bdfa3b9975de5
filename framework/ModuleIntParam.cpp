#include "framework/ModuleIntParam.h"

#include <cmath>

ModuleIntParam::ModuleIntParam (Listener* paramListener, const juce::String& paramName, double defaultVal,
                                double minimum, double maximum, double step, const juce::String& unitLabel)
    : ModuleFloatParam (paramListener, paramName, defaultVal, minimum, maximum, step, unitLabel)
{
    decimals.store (0, std::memory_order_relaxed);
    isFloat = false;
    isInt = true;
}

ModuleEnumParam::ModuleEnumParam (Listener* paramListener, const juce::String& paramName,
                                  const juce::StringArray& choiceTexts)
    : ModuleIntParam (paramListener, paramName, 0.0, 0.0, (double) (choiceTexts.size() - 1), 1.0, {}),
      choices (choiceTexts)
{
    isInt = false;
    isEnum = true;
}

juce::String ModuleEnumParam::getDisplayValue()
{
    return getValueAsString();
}

juce::String ModuleEnumParam::getValueAsString()
{
    const int i = (int) getValue();
    return juce::isPositiveAndBelow (i, choices.size()) ? choices[i] : juce::String();
}

juce::String ModuleEnumParam::getValueAsStringFor (double realValue)
{
    const double legal = getLegalValueFor (realValue);
    if (! std::isfinite (legal))
        return getValueAsString();
    const int i = (int) legal;
    return juce::isPositiveAndBelow (i, choices.size()) ? choices[i] : juce::String();
}

ModuleBoolParam::ModuleBoolParam (Listener* paramListener, const juce::String& paramName,
                                  const juce::String& offText, const juce::String& onText)
    : ModuleEnumParam (paramListener, paramName, juce::StringArray { offText, onText })
{
    isEnum = false;
    isBool = true;
}

ModuleEnumValParam::ModuleEnumValParam (Listener* paramListener, const juce::String& paramName,
                                        const juce::StringArray& choiceTexts, const juce::Array<double>& choiceValues)
    : ModuleEnumParam (paramListener, paramName, choiceTexts),
      values (choiceValues)
{
}
