#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace dsptest
{
inline double toDecibels (double gain)
{
    return 20.0 * std::log10 (gain);
}

// Distance in units in the last place between two finite doubles of the same sign.
inline std::int64_t ulpDistance (double a, double b)
{
    std::int64_t ia, ib;
    std::memcpy (&ia, &a, sizeof a);
    std::memcpy (&ib, &b, sizeof b);
    return ia > ib ? ia - ib : ib - ia;
}

inline std::vector<double> noise (size_t count, double amplitude, unsigned seed)
{
    std::mt19937 rng (seed);
    std::uniform_real_distribution<double> dist (-amplitude, amplitude);
    std::vector<double> out (count);
    for (auto& x : out)
        x = dist (rng);
    return out;
}

// Steady-state gain of a filter for a sine, measured from what process() does.
template <typename FilterType>
double measuredGain (FilterType filter, double frequency, double sampleRate)
{
    const double pi = 3.141592653589793;
    const int settle = static_cast<int> (sampleRate * 0.2);
    const int measure = static_cast<int> (sampleRate);
    double inPower = 0.0, outPower = 0.0;
    for (int n = 0; n < settle + measure; ++n)
    {
        const double x = std::sin (2.0 * pi * frequency * n / sampleRate);
        const double y = filter.process (x);
        if (n >= settle)
        {
            inPower += x * x;
            outPower += y * y;
        }
    }
    return std::sqrt (outPower / inPower);
}
} // namespace dsptest
