#include "effect/dsp/OnePoleShelf.h"

#include <algorithm>
#include <cmath>


OnePoleCoefficients designOnePoleShelf (ShelfForm form, double cornerHz, double sampleRate, double gain)
{
    const OnePoleCoefficients passThrough;

    // At a gain of 1 both matching points coincide and the design divides 0 by 0;
    // a flat shelf is exactly a pass-through.
    if (! (gain > 0.0) || gain == 1.0 || ! std::isfinite (gain) || ! (sampleRate > 0.0))
        return passThrough;

    const bool high = form == ShelfForm::highShelf;
    const double r = std::sqrt (std::max (gain, 1.0 / gain));
    const double f = high ? (cornerHz / sampleRate) * r : (cornerHz / sampleRate) / r;

    const double p[2] = { (14.9 * f + 0.37) / (16.3 * f + 1.0), 1.91 * f / (3.21 * f + 1.0) };
    double m[2], t[2];
    for (int i = 0; i < 2; ++i)
    {
        const double pp = p[i] * p[i];
        const double ff = f * f;
        m[i] = high ? (pp * gain + ff) / (pp / gain + ff) : (pp / gain + ff) / (pp * gain + ff);
        t[i] = 1.0 / std::tan (1.5708 * p[i]);
    }

    const double q = -(1.0 - m[1]) * t[1] * t[1];
    const double d = ((1.0 - m[0]) * t[0] * t[0] + q) / (m[0] - m[1]);
    const double pole = 0.5 - 0.5 * std::sqrt (d);
    const double zero = 0.5 - 0.5 * std::sqrt (m[1] * d + q);

    OnePoleCoefficients c;
    c.a1 = pole / (1.0 - pole);
    c.b0 = (1.0 - zero) / (1.0 - pole);
    c.b1 = zero / (1.0 - pole);
    if (! high)
    {
        c.b0 *= gain;
        c.b1 *= gain;
    }

    if (! std::isfinite (c.a1) || ! std::isfinite (c.b0) || ! std::isfinite (c.b1))
        return passThrough;
    return c;
}

double shelfGainFromDecibels (double decibels)
{
    return std::pow (10.0, (decibels + 0.00001) / 20.0);
}
