#include "effect/dsp/DezorSaturation.h"

#include "effect/dsp/DspMath.h"
#include "effect/dsp/fmath.h"

void DezorSaturation::reset (double newSampleRate)
{
    sampleRate = newSampleRate;
    preShelf.reset (sampleRate);
    postShelf.reset (sampleRate);

    // Every state goes, so that nothing from before the reset can ring on.
    memorySmoothed = envelope = dc = previous = memory = 0.0;

    kMemory = dsp::smoothingCoefficient (memoryHz, sampleRate);
    kEnvelope = dsp::smoothingCoefficient (envelopeHz, sampleRate);
    kDc = dsp::smoothingCoefficient (dcHz, sampleRate);

    preShelf.setCoefficients (designOnePoleShelf (ShelfForm::lowShelf, preShelfHz, sampleRate, shelfGainFromDecibels (preShelfDb)),
                              fmath::expd (preShelfMakeUpDb * dsp::decibelToNeper));
    postShelf.setCoefficients (designOnePoleShelf (ShelfForm::lowShelf, postShelfHz, sampleRate, shelfGainFromDecibels (postShelfDb)),
                               fmath::expd (postShelfMakeUpDb * dsp::decibelToNeper));
}

double DezorSaturation::process (double x)
{
    const double u = x * inputGain;
    envelope += (previous * previous - envelope) * kEnvelope;
    const double pre = preShelf.process (u);

    const double z = (pre - memory) - 0.4 * previous * envelope - 0.15 * envelope;
    const double v = 0.85 * memory + clip (z);

    memorySmoothed += (v - memorySmoothed) * kMemory;
    memory = 0.75 * memorySmoothed;

    const double post = postShelf.process (v);
    previous = post;
    dc += (post - dc) * kDc;
    return (post - dc) * outputGain;
}
