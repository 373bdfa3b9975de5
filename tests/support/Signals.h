// Test signals and what the tests measure on them: noise, impulses, silence,
// onsets, peaks and levels, for any sample type.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <random>
#include <vector>

namespace tarnello::test
{
// One channel of samples per entry.
template <typename Sample = float>
using ChannelsOf = std::vector<std::vector<Sample>>;

// Uniform white noise in [-amplitude, amplitude), the same for the same seed.
template <typename Sample = float>
std::vector<Sample> noise (size_t numSamples, unsigned seed, double amplitude = 1.0)
{
    std::mt19937 rng (seed);
    std::uniform_real_distribution<double> dist (-amplitude, amplitude);
    std::vector<Sample> out (numSamples);
    for (auto& s : out)
        s = static_cast<Sample> (dist (rng));
    return out;
}

// Independent noise on each channel: channel c is seeded with seed + c.
template <typename Sample = float>
ChannelsOf<Sample> noiseChannels (int numChannels, size_t numSamples, unsigned seed, double amplitude = 1.0)
{
    ChannelsOf<Sample> out;
    for (int c = 0; c < numChannels; ++c)
        out.push_back (noise<Sample> (numSamples, seed + static_cast<unsigned> (c), amplitude));
    return out;
}

template <typename Sample = float>
ChannelsOf<Sample> silence (int numChannels, size_t numSamples)
{
    return ChannelsOf<Sample> (static_cast<size_t> (numChannels), std::vector<Sample> (numSamples, Sample (0)));
}

// One sample of `height` at `at` on every channel, silence elsewhere.
template <typename Sample = float>
ChannelsOf<Sample> impulse (int numChannels, size_t at, size_t numSamples, Sample height = Sample (1))
{
    auto out = silence<Sample> (numChannels, numSamples);
    for (auto& channel : out)
        if (at < channel.size())
            channel[at] = height;
    return out;
}

template <typename Sample>
double peakOf (const std::vector<Sample>& signal, size_t from = 0)
{
    double peak = 0.0;
    for (size_t i = from; i < signal.size(); ++i)
        peak = std::max (peak, std::abs (static_cast<double> (signal[i])));
    return peak;
}

// Samples after `from` up to the first whose magnitude exceeds `level`; -1 when none does.
template <typename Sample>
long firstAbove (const std::vector<Sample>& signal, size_t from, double level)
{
    for (size_t i = from; i < signal.size(); ++i)
        if (std::abs (static_cast<double> (signal[i])) > level)
            return static_cast<long> (i - from);
    return -1;
}

// Samples after `from` up to the first whose magnitude exceeds `relative` times the
// largest magnitude from `from` on; -1 when that part of the signal is silent.
template <typename Sample>
long onsetOf (const std::vector<Sample>& signal, size_t from, double relative = 1e-6)
{
    const double peak = peakOf (signal, from);
    return peak == 0.0 ? -1 : firstAbove (signal, from, relative * peak);
}

template <typename Sample>
double rms (const std::vector<Sample>& signal, size_t from, size_t to)
{
    double sum = 0.0;
    for (size_t i = from; i < to && i < signal.size(); ++i)
        sum += static_cast<double> (signal[i]) * static_cast<double> (signal[i]);
    return std::sqrt (sum / static_cast<double> (std::max<size_t> (1, to - from)));
}

template <typename Sample>
bool allFinite (const std::vector<Sample>& signal)
{
    return std::all_of (signal.begin(), signal.end(), [] (Sample s) { return std::isfinite (static_cast<double> (s)); });
}

inline double toDecibels (double gain)
{
    return 20.0 * std::log10 (gain);
}
} // namespace tarnello::test
