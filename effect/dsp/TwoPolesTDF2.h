#pragma once

#include "effect/dsp/TwoPolesDF1.h"

// Second-order section in transposed direct form II: the coefficients and fields of
// the direct form, with the two states s1 and s2 kept in x1 and x2.
class TwoPolesTDF2 final : public TwoPolesDF1
{
public:
    double process (double x) override
    {
        const double y = b0 * x + x1;
        x1 = b1 * x - a1 * y + x2;
        x2 = b2 * x - a2 * y;
        return y;
    }
};
