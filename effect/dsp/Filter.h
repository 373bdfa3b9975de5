#pragma once

#include "effect/dsp/Effect.h"

// A filter block. Coefficients are computed by the owners (echo line, character,
// saturation) and stored straight into the public fields; the filters only run them.
// The owners recompute coefficients on parameter threads while the audio thread runs
// the filters, so every coefficient is a Relaxed value: a relaxed atomic that costs a
// plain load on the audio thread. Filter states belong to the audio thread alone.
class Filter : public Effect
{
public:
    // Magnitude of the frequency response at a frequency in Hz.
    virtual double getMagnitude (double frequency) const = 0;
};
