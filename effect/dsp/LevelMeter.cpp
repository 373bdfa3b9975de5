#include "effect/dsp/LevelMeter.h"

#include "effect/dsp/DspMath.h"
#include "effect/dsp/fmath.h"

#include <algorithm>
#include <cmath>

void LevelMeter::prepare (double rate, double meterMass)
{
    sampleRate = rate;
    value.store (0.0);
    velocity = 0.0;
    count = 0;
    sum = 0.0;
    period = std::max (1, (int) std::lround (rate / updatesPerSecond));
    inversePeriod = 1.0 / period;
    inputGain = fmath::expd (inputGainNepers);
    dt = period / rate;
    mass = meterMass;
    damping = std::pow (dampingBase, -3.0 * dsp::pi * dt);
}

void LevelMeter::update() noexcept
{
    // One not-a-number sample from the host would hold the spring at NaN for good;
    // its period is dropped and the meter stays where it was.
    if (std::isnan (sum))
    {
        sum = 0.0;
        count = 0;
        return;
    }

    const double mean = sum * inversePeriod;
    const double current = value.load();
    velocity = ((mean * inputGain - restoringForce * current) * dt / mass + velocity) * damping;
    const double next = current + dt * velocity;

    if (next < 0.0)
    {
        value.store (0.0);
        velocity = 0.0;
    }
    else if (next > 1.0)
    {
        value.store (1.0);
        velocity = 0.0;
    }
    else
    {
        value.store (next);
    }

    sum = 0.0;
    count = 0;
}
