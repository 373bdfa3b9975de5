#pragma once

// Numbers and conversions shared by every part of the echo.

#include <cmath>
#include <complex>

namespace dsp
{
constexpr double pi = 3.141592653589793;
constexpr double twoPi = 6.283185307179586;

// Decibels to gain as e^(dB * decibelToNeper), that is 10^(dB / 20).
constexpr double decibelToNeper = 0.1151292546497;

// Coefficient k of a one-pole smoother s += (target - s) * k at a cut-off frequency.
inline double smoothingCoefficient (double cutoffHz, double sampleRate)
{
    return 1.0 - std::exp (-twoPi * cutoffHz / sampleRate);
}

// e^(-jw) at a frequency, for frequency responses.
inline std::complex<double> unitDelay (double frequency, double sampleRate)
{
    return std::polar (1.0, -twoPi * frequency / sampleRate);
}
} // namespace dsp
