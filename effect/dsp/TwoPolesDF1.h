#pragma once

#include "effect/dsp/Filter.h"
#include "framework/Relaxed.h"

// Second-order section in direct form I.
class TwoPolesDF1 : public Filter
{
public:
    void reset (double newSampleRate) override
    {
        sampleRate = newSampleRate;
        x1 = x2 = y1 = y2 = 0.0;
    }

    double process (double x) override
    {
        const double y = ((b0 * x + b1 * x1) + b2 * x2) - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }

    double getMagnitude (double frequency) const override;

    Relaxed<double> sampleRate { 44100.0 };
    Relaxed<double> a1 { 0.0 }, a2 { 0.0 }, b0 { 1.0 }, b1 { 0.0 }, b2 { 0.0 };

    // Direct form I: previous inputs and outputs. The transposed form keeps its two
    // states s1 and s2 in x1 and x2.
    double x1 = 0.0, x2 = 0.0;
    double y1 = 0.0, y2 = 0.0;
};
