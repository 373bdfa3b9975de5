#pragma once

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_dsp/juce_dsp.h>
#include <tsl/robin_map.h>

#include <atomic>
#include <memory>

#include "framework/ModuleParam.h"

class DovrethProcessor;
class RackEditor;
class ModuleEditor;

// Base of every rack module: owns its parameters, finds them by name, restores
// them from a state element and hands its panel its look-and-feels.
class ModuleProcessor : public ModuleParam::Listener
{
public:
    ModuleProcessor (DovrethProcessor* owner, const juce::String& displayName, const juce::String& typeId);
    ~ModuleProcessor() override;

    void parameterChanged (ModuleParam* param) override = 0;
    // Every finished gesture records one undo point.
    void paramEndChangeGesture (ModuleParam* param) override;
    virtual void setPlayDetails (int numInputs, int numOutputs, double sampleRate, int blockSize) = 0;
    virtual void prepareToPlay (double sampleRate, int blockSize) = 0;
    virtual void processBlock (juce::dsp::AudioBlock<float>* block, int numSamples, double bpm) = 0;
    virtual void processBlock (juce::dsp::AudioBlock<double>* block, int numSamples, double bpm) = 0;
    // The module's panel for the rack; null while the product has no editor.
    virtual ModuleEditor* createEditor (std::shared_ptr<ModuleProcessor> self, RackEditor* rack) = 0;
    virtual float getMeterValue (int channel);

    // Takes ownership. The first parameter of a name wins the lookup by name.
    void addParam (ModuleParam* param);
    ModuleParam* getParam (const juce::String& name) const;
    juce::LookAndFeel* getLookAndFeel (const juce::String& name);

    // Restores every saved parameter from a module element of the state; a missing
    // attribute restores the parameter's default.
    void setStateInformation (juce::XmlElement* element);

    // " " becomes "_" in a parameter's state attribute.
    static juce::String attributeNameFor (const juce::String& paramName);

    std::atomic<bool> needsRefresh { true };
    DovrethProcessor* owner = nullptr;
    int instanceTag = 0;
    juce::String displayName;
    juce::String typeId;
    int typeIdHash = 0;
    int panelWidth = 0;
    tsl::robin_map<juce::String, std::unique_ptr<juce::LookAndFeel>> lookAndFeels;
    int numExposedParams = 0;
    juce::OwnedArray<ModuleParam> params;
    tsl::robin_map<juce::String, ModuleParam*> paramsByName;
    std::atomic<bool> paramsAttached { false };
    // True while setStateInformation restores parameters, so that a module can tell
    // a restore from a user's or host's change.
    std::atomic<bool> restoringState { false };
    juce::ValueTree panelLayout;

    JUCE_DECLARE_NON_COPYABLE (ModuleProcessor)
};
