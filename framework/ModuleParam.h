#pragma once

#include <juce_core/juce_core.h>
#include <juce_audio_basics/juce_audio_basics.h>

#include <atomic>
#include <functional>
#include <memory>

#include "framework/ParamRanges.h"

class HostParameter;

// One value of a rack module. The name doubles as its id, its state attribute and
// its host-visible name. The module listens for changes; while bound to a
// HostParameter every change also reaches the host.
//
// `value`, `decimals` and `hostParameter` are read on the audio thread and written
// on host and message threads, hence atomics.
class ModuleParam
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void parameterChanged (ModuleParam* param) = 0;
        virtual void paramEndChangeGesture (ModuleParam* param);
    };

    ModuleParam (Listener* listener, const juce::String& name, double defaultValue,
                 double minimum, double maximum, double step, const juce::String& unit);
    virtual ~ModuleParam();

    virtual void setNormalized (double normalized, bool notifyHost) = 0;
    virtual double getNormalized() = 0;
    virtual double getNormalizedFor (double realValue) = 0;
    virtual double getRealValueFor (double normalized) = 0;
    virtual juce::String getDisplayValue() = 0;
    virtual juce::String getValueAsString() = 0;
    // The text getValueAsString would give once `realValue` were set: snapped,
    // clamped and with the decimals it would be stored with. Changes nothing.
    virtual juce::String getValueAsStringFor (double realValue) = 0;
    virtual double getValueForText (const juce::String& text) = 0;
    virtual void setValue (double v) = 0;
    virtual void setValueNotifyingHost (double v);

    void beginChangeGesture();
    void endChangeGesture();

    // Takes ownership of `ranges` and installs it as the range conversion; `snap`
    // receives (range start, range end, value) and returns the value to store, and
    // must have no effect of its own. `decimalsFor`, when given, tells the decimals
    // a stored value is written with, for ranges whose precision varies.
    void setParamRanges (ParamRanges* ranges, std::function<double (double, double, double)> snap,
                         std::function<int (double)> decimalsFor = {});

    double getValue() const noexcept { return value.load (std::memory_order_relaxed); }
    int getDecimals() const noexcept { return decimals.load (std::memory_order_relaxed); }
    HostParameter* getHostParameter() const noexcept { return hostParameter.load (std::memory_order_acquire); }

    // Number of decimal places in texts and in the state, derived from a step.
    static int decimalsForStep (double step);

    std::atomic<HostParameter*> hostParameter { nullptr };
    Listener* listener = nullptr;
    juce::String name;
    int nameHash = 0;
    juce::String unit;
    std::atomic<double> value { 0.0 };
    double defaultValue = 0.0;
    std::atomic<int> decimals { 0 };
    bool exposeToHost = true;
    bool saveInState = true;
    int paramIndex = 1;
    bool enabled = true;
    bool metaParameter = false;
    juce::NormalisableRange<double> range;
    std::unique_ptr<ParamRanges> paramRanges;
    bool isBool = false;
    bool isEnum = false;
    bool isInt = false;
    bool isFloat = false;
    bool spaceBeforeUnit = true;
    // Set with the range: the decimals of a stored value, when not fixed by the step.
    std::function<int (double)> decimalsForValue;

    JUCE_DECLARE_NON_COPYABLE (ModuleParam)
};
