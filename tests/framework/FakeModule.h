#pragma once

// A small rack module for framework tests, until the real delay module exists.
// Three exposed, saved parameters:
//   "Gain"    float 0..2, default 1, step 0.01, unit "x" (processBlock multiplies by it)
//   "Low Cut" bool "Off"/"On"
//   "Time"    0..4000 ms on a curved ParamRanges, default 240, snapped to 0.1 below
//             100 and to whole numbers above
// and optionally N more exposed float parameters "Extra 1".."Extra N" (0..1, step 0.01)
// for binding-run tests. Every change raises needsRefresh. Everything the audio
// thread writes is atomic.

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_dsp/juce_dsp.h>

#include <atomic>
#include <cmath>
#include <memory>
#include <vector>

#include "framework/HostParameter.h"
#include "framework/ModuleFactory.h"
#include "framework/ModuleFloatParam.h"
#include "framework/ModuleIntParam.h"
#include "framework/ModuleProcessor.h"
#include "framework/ParamRanges.h"

#include "tests/support/StubProcessor.h"

class DovrethProcessor;

namespace tarnello::test
{
// A bare processor holding the 24 host parameters "0".."23", as the real processor
// does: JUCE only lets parameters added to a processor run gestures.
class FakeHost : public tarnello::test::StubProcessor
{
public:
    static constexpr int numHostParameters = 24;

    FakeHost() : StubProcessor ("FakeHost")
    {
        for (int i = 0; i < numHostParameters; ++i)
            addParameter (new HostParameter (i));
    }

    HostParameter& host (int index) { return *static_cast<HostParameter*> (getParameters()[index]); }
};

// What the host hears from one host parameter: value changes and gestures.
struct HostEvents : juce::AudioProcessorParameter::Listener
{
    explicit HostEvents (juce::AudioProcessorParameter& p) : param (p) { param.addListener (this); }
    ~HostEvents() override { param.removeListener (this); }

    void parameterValueChanged (int, float newValue) override { values.push_back (newValue); }
    void parameterGestureChanged (int, bool starting) override { gestures.push_back (starting); }

    juce::AudioProcessorParameter& param;
    std::vector<float> values;
    std::vector<bool> gestures; // true: begin, false: end
};

// Rounds to 0.1 below 100 and to whole numbers from 100 on.
inline double fakeTimeSnap (double /*start*/, double /*end*/, double v)
{
    return v < 100.0 ? std::round (v * 10.0) / 10.0 : std::round (v);
}

// The delay module's curve: half the travel up to 500 ms.
inline ParamRanges* makeFakeTimeRanges()
{
    auto* ranges = new ParamRanges (0.0, 4000.0);
    ranges->addRange (0.5, 500.0, 0.7);
    ranges->addRange (0.7, 1000.0, 0.8);
    ranges->addRange (1.0, 4000.0, 0.8);
    return ranges;
}
} // namespace tarnello::test

class FakeModule : public ModuleProcessor
{
public:
    static constexpr const char* typeName = "fake";

    explicit FakeModule (DovrethProcessor* ownerProcessor, int numExtraParams = 0)
        : ModuleProcessor (ownerProcessor, "Fake", typeName)
    {
        panelWidth = 200;

        gain = new ModuleFloatParam (this, "Gain", 1.0, 0.0, 2.0, 0.01, "x");
        addParam (gain);

        lowCut = new ModuleBoolParam (this, "Low Cut", "Off", "On");
        addParam (lowCut);

        time = new ModuleFloatParam (this, "Time", 240.0, 0.0, 4000.0, 0.1, "ms");
        time->setParamRanges (tarnello::test::makeFakeTimeRanges(), tarnello::test::fakeTimeSnap);
        addParam (time);

        for (int i = 1; i <= numExtraParams; ++i)
        {
            auto* extra = new ModuleFloatParam (this, "Extra " + juce::String (i), 0.5, 0.0, 1.0, 0.01, {});
            addParam (extra);
        }
    }

    // A new module for a factory creator.
    static ModuleProcessor* create (DovrethProcessor* ownerProcessor, int numExtraParams = 0)
    {
        return new FakeModule (ownerProcessor, numExtraParams);
    }

    static ModuleFactory::Creator creator (DovrethProcessor* ownerProcessor, int numExtraParams = 0)
    {
        return [ownerProcessor, numExtraParams] { return create (ownerProcessor, numExtraParams); };
    }

    // As a real module does, every change asks the panel to refresh.
    void parameterChanged (ModuleParam* param) override
    {
        needsRefresh.store (true);
        lastChanged.store (param);
        changeCount.fetch_add (1);
    }

    void setPlayDetails (int numInputs, int numOutputs, double sampleRate, int blockSize) override
    {
        playInputs.store (numInputs);
        playOutputs.store (numOutputs);
        playSampleRate.store (sampleRate);
        playBlockSize.store (blockSize);
        playDetailsCalls.fetch_add (1);
    }

    void prepareToPlay (double sampleRate, int blockSize) override
    {
        preparedSampleRate.store (sampleRate);
        preparedBlockSize.store (blockSize);
        prepareCalls.fetch_add (1);
    }

    void processBlock (juce::dsp::AudioBlock<float>* block, int numSamples, double bpm) override
    {
        process (*block, numSamples, bpm);
    }

    void processBlock (juce::dsp::AudioBlock<double>* block, int numSamples, double bpm) override
    {
        process (*block, numSamples, bpm);
    }

    ModuleEditor* createEditor (std::shared_ptr<ModuleProcessor>, RackEditor*) override { return nullptr; }

    float getMeterValue (int) override { return lastPeak.load(); }

    ModuleFloatParam* gain = nullptr;
    ModuleBoolParam* lowCut = nullptr;
    ModuleFloatParam* time = nullptr;

    std::atomic<int> changeCount { 0 };
    std::atomic<ModuleParam*> lastChanged { nullptr };

    std::atomic<int> playInputs { -1 }, playOutputs { -1 }, playBlockSize { -1 }, playDetailsCalls { 0 };
    std::atomic<double> playSampleRate { -1.0 };
    std::atomic<double> preparedSampleRate { -1.0 };
    std::atomic<int> preparedBlockSize { -1 }, prepareCalls { 0 };

    std::atomic<int> lastNumSamples { -1 };
    std::atomic<double> lastBpm { -1.0 };
    std::atomic<int> blocksProcessed { 0 };
    std::atomic<float> lastPeak { 0.0f };

private:
    template <typename Sample>
    void process (juce::dsp::AudioBlock<Sample>& block, int numSamples, double bpm)
    {
        const auto g = (Sample) gain->getValue();
        float peak = 0.0f;
        const auto n = juce::jmin ((size_t) juce::jmax (0, numSamples), block.getNumSamples());

        for (size_t ch = 0; ch < block.getNumChannels(); ++ch)
        {
            auto* data = block.getChannelPointer (ch);
            for (size_t i = 0; i < n; ++i)
            {
                data[i] *= g;
                peak = juce::jmax (peak, (float) std::abs (data[i]));
            }
        }

        lastPeak.store (peak);
        lastNumSamples.store (numSamples);
        lastBpm.store (bpm);
        blocksProcessed.fetch_add (1);
    }
};
