#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

class ModuleProcessor;
class ModuleParam;

// One of the fixed pool of host-visible parameters "0".."23". It is bound at run
// time to one module parameter and forwards every host call to it; unbound it is
// named by its number alone and ignores the host.
//
// The host may call from any thread while the message thread rebinds, so the
// (module, parameter) pair is published as one immutable Binding through an atomic
// shared pointer: a caller always sees a consistent pair, and its copy keeps the
// module alive for the duration of the call.
class HostParameter : public juce::AudioProcessorParameterWithID
{
public:
    struct Binding
    {
        std::shared_ptr<ModuleProcessor> module;
        ModuleParam* param = nullptr;
    };

    explicit HostParameter (int index);
    ~HostParameter() override;

    // Binds this host parameter to `param` of `module` and points the parameter
    // back at it. A previous binding of this host parameter is cleared first.
    void bind (std::shared_ptr<ModuleProcessor> module, ModuleParam* param);
    // Clears the binding and the bound parameter's back-pointer.
    void unbind();

    std::shared_ptr<const Binding> getBinding() const;
    bool isBound() const;
    ModuleParam* getBoundParam() const;

    float getValue() const override;
    void setValue (float newValue) override;
    float getDefaultValue() const override;
    juce::String getName (int maximumStringLength) const override;
    juce::String getLabel() const override;
    juce::String getText (float normalisedValue, int maximumStringLength) const override;
    float getValueForText (const juce::String& text) const override;
    bool isMetaParameter() const override;

    const int index;

private:
    std::shared_ptr<const Binding> binding; // accessed only with std::atomic_load / std::atomic_store

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HostParameter)
};
