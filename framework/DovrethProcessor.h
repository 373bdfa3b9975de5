#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>
#include <memory>

#include "framework/HostParameter.h"
#include "framework/ModuleFactory.h"
#include "framework/ModuleProcessor.h"
#include "framework/Oversampling.h"
#include "framework/PresetsManager.h"
#include "framework/StateManager.h"

// The framework's audio processor: a rack of one module slot, modules created by
// type id, their parameters bound to a fixed pool of 24 host parameters, and the
// framework's services (undo history, preset store, user settings).
class DovrethProcessor : public juce::AudioProcessor
{
public:
    static constexpr int numHostParameters = 24;
    static constexpr int numSlots = 1;

    DovrethProcessor();
    ~DovrethProcessor() override;

    // juce::AudioProcessor
    const juce::String getName() const override;
    void prepareToPlay (double sampleRate, int samplesPerBlock) override;
    void releaseResources() override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    void processBlock (juce::AudioBuffer<double>& buffer, juce::MidiBuffer& midi) override;
    double getTailLengthSeconds() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;
    bool isMidiEffect() const override;
    bool hasEditor() const override;
    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int index) override;
    const juce::String getProgramName (int index) override;
    void changeProgramName (int index, const juce::String& newName) override;
    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;

    // Rack
    ModuleProcessor* addModule (const juce::String& typeId, int slot, bool autoAttach);
    void removeModule (int slot);
    std::shared_ptr<ModuleProcessor> getModule (int slot = 0) const;
    HostParameter* getHostParameter (int index) const;

    // State
    void loadDefaultState();
    void saveStateToXml (juce::XmlElement* root);
    void loadStateFromXml (juce::XmlElement* root);

    // Reaches the host parameters by index and tells the host to re-read them.
    struct HostParams
    {
        DovrethProcessor& processor;
        HostParameter* get (int index) const;
        void updateHostDisplay() const;
    };

    std::unique_ptr<Oversampling> oversampling;
    std::unique_ptr<ModuleFactory> moduleFactory;
    std::unique_ptr<StateManager> stateManager;
    std::unique_ptr<PresetsManager> presetsManager;
    std::unique_ptr<HostParams> hostParams;
    juce::ApplicationProperties appProperties;
    float uiScale = 1.0f;
    bool inlineHelp = true;
    std::atomic<bool> rebuildEditors { true };
    juce::StringArray defaultModules;
    std::shared_ptr<ModuleProcessor> modules[numSlots]; // std::atomic_load / std::atomic_store only

private:
    template <typename Sample>
    void processHostBlock (juce::AudioBuffer<Sample>& buffer);

    // Binds one-to-one: the parameter leaves any other host parameter first.
    void bindHostParameter (HostParameter& host, const std::shared_ptr<ModuleProcessor>& module, ModuleParam* param);
    // Binds the exposed parameters to the first run of free host parameters long enough for all.
    void attachAutomatically (const std::shared_ptr<ModuleProcessor>& module);
    // Marks the module attached, sends the host every exposed value and asks it to re-read them.
    void pushBoundValues (ModuleProcessor& module);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DovrethProcessor)
};
