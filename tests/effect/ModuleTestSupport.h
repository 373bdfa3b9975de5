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

namespace effect_test
{
// One channel of samples per entry.
template <typename Sample>
using Channels = std::vector<std::vector<Sample>>;

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

template <typename Sample = float>
Channels<Sample> silence (int numChannels, int numSamples)
{
    return Channels<Sample> ((size_t) numChannels, std::vector<Sample> ((size_t) numSamples, Sample (0)));
}

template <typename Sample = float>
std::vector<Sample> noise (int numSamples, unsigned seed, double amplitude = 1.0)
{
    std::mt19937 rng (seed);
    std::uniform_real_distribution<double> dist (-amplitude, amplitude);
    std::vector<Sample> out ((size_t) numSamples);
    for (auto& s : out)
        s = (Sample) dist (rng);
    return out;
}

// Index of the first sample from `from` on whose magnitude exceeds `relative` times
// the largest magnitude of the rest of the signal; -1 when the signal is silent.
template <typename Sample>
long onsetOf (const std::vector<Sample>& signal, size_t from, double relative = 1e-6)
{
    double peak = 0.0;
    for (size_t i = from; i < signal.size(); ++i)
        peak = std::max (peak, std::abs ((double) signal[i]));
    if (peak == 0.0)
        return -1;
    for (size_t i = from; i < signal.size(); ++i)
        if (std::abs ((double) signal[i]) > relative * peak)
            return (long) (i - from);
    return -1;
}

template <typename Sample>
double rms (const std::vector<Sample>& signal, size_t from, size_t to)
{
    double sum = 0.0;
    for (size_t i = from; i < to && i < signal.size(); ++i)
        sum += (double) signal[i] * (double) signal[i];
    return std::sqrt (sum / (double) std::max<size_t> (1, to - from));
}

template <typename Sample>
double peakOf (const std::vector<Sample>& signal)
{
    double peak = 0.0;
    for (auto s : signal)
        peak = std::max (peak, std::abs ((double) s));
    return peak;
}

template <typename Sample>
bool allFinite (const std::vector<Sample>& signal)
{
    for (auto s : signal)
        if (! std::isfinite ((double) s))
            return false;
    return true;
}
} // namespace effect_test
