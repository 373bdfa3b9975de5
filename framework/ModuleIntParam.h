#pragma once

#include "framework/ModuleFloatParam.h"

class ModuleIntParam : public ModuleFloatParam
{
public:
    ModuleIntParam (Listener* listener, const juce::String& name, double defaultValue,
                    double minimum, double maximum, double step, const juce::String& unit);
};

// A choice: the value is the index into `choices`.
class ModuleEnumParam : public ModuleIntParam
{
public:
    ModuleEnumParam (Listener* listener, const juce::String& name, const juce::StringArray& choices);

    juce::String getDisplayValue() override;
    juce::String getValueAsString() override;
    juce::String getValueAsStringFor (double realValue) override;

    juce::StringArray choices;
};

class ModuleBoolParam : public ModuleEnumParam
{
public:
    ModuleBoolParam (Listener* listener, const juce::String& name,
                     const juce::String& offText, const juce::String& onText);
};

// A choice that carries one number per choice, such as a note value.
class ModuleEnumValParam : public ModuleEnumParam
{
public:
    ModuleEnumValParam (Listener* listener, const juce::String& name,
                        const juce::StringArray& choices, const juce::Array<double>& values);

    juce::Array<double> values;
};
