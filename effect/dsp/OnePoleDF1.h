#pragma once

#include "effect/dsp/Filter.h"
#include "effect/dsp/OnePoleShelf.h"
#include "framework/Relaxed.h"

// First-order section in direct form I.
class OnePoleDF1 final : public Filter
{
public:
    void reset (double newSampleRate) override
    {
        sampleRate = newSampleRate;
        x1 = y1 = 0.0;
    }

    double process (double x) override
    {
        const double y = b0 * x + b1 * x1 - a1 * y1;
        y1 = y;
        x1 = x;
        return y;
    }

    double getMagnitude (double frequency) const override;

    // Installs a design; numeratorScale adds a plain gain on top of it.
    void setCoefficients (const OnePoleCoefficients& c, double numeratorScale = 1.0)
    {
        a1 = c.a1;
        b0 = c.b0 * numeratorScale;
        b1 = c.b1 * numeratorScale;
    }

    Relaxed<double> sampleRate { 44100.0 };
    Relaxed<double> a1 { 0.0 }, b0 { 1.0 }, b1 { 0.0 };
    double y1 = 0.0, x1 = 0.0;
};
