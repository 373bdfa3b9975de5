#pragma once

// Helpers for driving the delay module directly: a prepared module, signals, and
// runs of blocks through it.

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_dsp/juce_dsp.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "effect/ZerAvoroProcessor.h"

#include "tests/support/Signals.h"

namespace effect_test
{
// One channel of samples per entry.
template <typename Sample>
using Channels = tarnello::test::ChannelsOf<Sample>;

using tarnello::test::allFinite;
using tarnello::test::noise;
using tarnello::test::onsetOf;
using tarnello::test::peakOf;
using tarnello::test::rms;
using tarnello::test::silence;

inline std::unique_ptr<ZerAvoroProcessor> makeModule (int numIns, int numOuts, double sampleRate = 44100.0,
                                                      int blockSize = 512)
{
    auto module = std::make_unique<ZerAvoroProcessor> (nullptr);
    module->setPlayDetails (numIns, numOuts, sampleRate, blockSize);
    module->prepareToPlay (sampleRate, blockSize);
    return module;
}

// Runs the channels through the module in place, in blocks, as the processor does.
template <typename Sample>
void run (ZerAvoroProcessor& module, Channels<Sample>& channels, int blockSize = 512, double bpm = 120.0)
{
    juce::ScopedNoDenormals noDenormals;
    const int total = channels.empty() ? 0 : (int) channels[0].size();
    std::vector<Sample*> pointers;
    for (auto& c : channels)
        pointers.push_back (c.data());

    for (int start = 0; start < total; start += blockSize)
    {
        const int n = std::min (blockSize, total - start);
        juce::dsp::AudioBlock<Sample> block (pointers.data(), pointers.size(), (size_t) start, (size_t) n);
        module.processBlock (&block, n, bpm);
    }
}
} // namespace effect_test
