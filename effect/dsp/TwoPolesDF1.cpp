#include "effect/dsp/TwoPolesDF1.h"

#include "effect/dsp/DspMath.h"

double TwoPolesDF1::getMagnitude (double frequency) const
{
    const auto z1 = dsp::unitDelay (frequency, sampleRate);
    const auto z2 = z1 * z1;
    const auto numerator = b0.load() + b1.load() * z1 + b2.load() * z2;
    const auto denominator = 1.0 + a1.load() * z1 + a2.load() * z2;
    return std::abs (numerator / denominator);
}
