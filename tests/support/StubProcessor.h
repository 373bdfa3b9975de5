// A plain stereo-in, stereo-out processor that does nothing: it stands in for the
// product in the bundles and tests of the host-interface layer, and for a host's
// processor in the framework's tests. It keeps JUCE's default layout rules and
// answers the product's name unless given another.
#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace tarnello::test
{
class StubProcessor : public juce::AudioProcessor
{
public:
    explicit StubProcessor (juce::String name = "Tarnello");

    const juce::String getName() const override { return processorName; }
    void prepareToPlay (double, int) override {}
    void releaseResources() override {}
    void processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) override {}
    bool hasEditor() const override { return false; }
    juce::AudioProcessorEditor* createEditor() override { return nullptr; }
    bool acceptsMidi() const override { return false; }
    bool producesMidi() const override { return false; }
    double getTailLengthSeconds() const override { return 0.0; }
    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram (int) override {}
    const juce::String getProgramName (int) override { return {}; }
    void changeProgramName (int, const juce::String&) override {}
    void getStateInformation (juce::MemoryBlock&) override {}
    void setStateInformation (const void*, int) override {}

protected:
    explicit StubProcessor (const BusesProperties& buses, juce::String name = "Tarnello")
        : juce::AudioProcessor (buses), processorName (std::move (name)) {}

private:
    juce::String processorName;
};
} // namespace tarnello::test
