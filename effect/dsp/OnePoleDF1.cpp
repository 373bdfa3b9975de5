#include "effect/dsp/OnePoleDF1.h"

#include "effect/dsp/DspMath.h"

double OnePoleDF1::getMagnitude (double frequency) const
{
    const auto z1 = dsp::unitDelay (frequency, sampleRate);
    const auto numerator = b0.load() + b1.load() * z1;
    const auto denominator = 1.0 + a1.load() * z1;
    return std::abs (numerator / denominator);
}
