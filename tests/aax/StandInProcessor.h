// A plain stereo-in, stereo-out processor that stands in for the product in
// bundles and tests of the host-interface layer. It keeps JUCE's default
// layout rules and answers the product's name.
#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace tarnello::test
{
class StandInProcessor : public juce::AudioProcessor
{
public:
    StandInProcessor();

    const juce::String getName() const override { return "Tarnello"; }
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
    explicit StandInProcessor (const BusesProperties& buses) : juce::AudioProcessor (buses) {}
};
} // namespace tarnello::test
