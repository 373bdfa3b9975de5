#pragma once

#include "tests/support/Signals.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace dsptest
{
using tarnello::test::toDecibels;

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
    return tarnello::test::noise<double> (count, seed, amplitude);
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
