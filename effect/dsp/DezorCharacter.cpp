#include "effect/dsp/DezorCharacter.h"

#include "effect/dsp/DspMath.h"
#include "effect/dsp/fmath.h"

#include <algorithm>
#include <cmath>

namespace
{
void setTwoPoles (TwoPolesDF1& filter, double b0, double b1, double b2, double a1, double a2)
{
    // A design that broke down must not reach the audio path.
    const bool usable = std::isfinite (b0) && std::isfinite (b1) && std::isfinite (b2)
                        && std::isfinite (a1) && std::isfinite (a2);
    filter.b0 = usable ? b0 : 1.0;
    filter.b1 = usable ? b1 : 0.0;
    filter.b2 = usable ? b2 : 0.0;
    filter.a1 = usable ? a1 : 0.0;
    filter.a2 = usable ? a2 : 0.0;
}

// Normalised frequency for the matched designs: below Nyquist, and never 0.
double normalisedFrequency (double hz, double sampleRate)
{
    const double f = std::min (hz / sampleRate, 0.4999);
    return f > 1e-6 ? f : 1e-6;
}
} // namespace

const BreakpointTable& DezorCharacter::lowCutTable()
{
    // Low-cut frequency (Hz) -> q.
    static const BreakpointTable table (2, { 0.0, 1.0,
                                             20.0, 0.88,
                                             90.0, 0.1 });
    return table;
}

const BreakpointTable& DezorCharacter::toneTable()
{
    // Tone -> peak gain (dB), peak frequency (Hz), peak bandwidth (octaves),
    //         low-pass frequency (Hz), tone gain (dB).
    static const BreakpointTable table (6, { 0.0, 5.6, 1000.0, 5.1, 2000.0, -3.8,
                                             2.0, 5.5, 1300.0, 5.1, 3000.0, -3.8,
                                             4.0, 4.6, 1643.0, 5.0, 5000.0, -3.8,
                                             5.0, 4.556, 1839.14, 4.72, 6260.0, -3.8,
                                             6.5, 4.5, 2110.0, 4.4, 8000.0, -3.8,
                                             8.0, 4.5, 2300.0, 4.0, 13000.0, -3.8,
                                             10.0, 2.0, 3200.0, 4.0, 20000.0, -1.0 });
    return table;
}

DezorCharacter::DezorCharacter() = default;

void DezorCharacter::setToneSmootherRate (double rate)
{
    toneGainRate = rate;
    toneGainK = dsp::smoothingCoefficient (toneGainCutoff, rate);
}

void DezorCharacter::reset (double newSampleRate)
{
    sampleRate = newSampleRate;
    if (toneGainRate.load() != newSampleRate)
        setToneSmootherRate (newSampleRate);

    lowPass.reset (newSampleRate);
    peaking.reset (newSampleRate);
    lowCut.reset (newSampleRate);
    saturation.reset (newSampleRate);
    feedbackHighShelf.reset (newSampleRate);
    feedbackLowShelf.reset (newSampleRate);
}

void DezorCharacter::set (double lowCutHz, double tone, bool newSaturationOn, bool drive)
{
    const double sr = sampleRate;

    feedbackGain = (newSaturationOn && drive) ? fmath::expd (driveFeedbackDb * dsp::decibelToNeper) : 1.0;
    saturation.inputGain = fmath::expd ((drive ? driveSaturationInputDb : cleanSaturationInputDb) * dsp::decibelToNeper);
    saturation.outputGain = fmath::expd ((drive ? driveSaturationOutputDb : cleanSaturationOutputDb) * dsp::decibelToNeper);
    saturationOn = newSaturationOn;

    // Low-cut high-pass.
    {
        const double q = lowCutTable().lookup (lowCutHz);
        if (lowCutHz > 0.0 && q > 0.0)
        {
            const double Q = 1.0 / std::sqrt (2.0 * (1.0 / q - 1.0) + 2.0);
            const double w = dsp::twoPi * lowCutHz / sr;
            const double alpha = std::sin (w) / (2.0 * Q);
            const double cosw = std::cos (w);
            const double b0 = (1.0 + cosw) / 2.0 / (1.0 + alpha);
            setTwoPoles (lowCut, b0, -(1.0 + cosw) / (1.0 + alpha), b0,
                         -2.0 * cosw / (1.0 + alpha), (1.0 - alpha) / (1.0 + alpha));
        }
        else
        {
            setTwoPoles (lowCut, 1.0, 0.0, 0.0, 0.0, 0.0);
        }
    }

    const auto& tones = toneTable();
    const double peakDb = tones.lookup (tone, 1);
    const double peakHz = tones.lookup (tone, 2);
    const double peakOctaves = tones.lookup (tone, 3);
    const double lowPassHz = tones.lookup (tone, 4);
    const double toneDb = tones.lookup (tone, 5);

    const double wp = dsp::twoPi * normalisedFrequency (peakHz, sr);
    const double wl = dsp::twoPi * normalisedFrequency (lowPassHz, sr);

    // Matched second-order low-pass.
    {
        const double Q = 0.5370219067229305;
        const double c = std::cos (0.3648642850755001 * wl);
        const double e = std::exp (-0.931060714173004 * wl);
        const double a1 = -2.0 * e * c;
        const double a2 = e * e;
        const double sinHalf = std::sin (wl / 2.0);
        const double phi1 = sinHalf * sinHalf;
        const double phi0 = 1.0 - phi1;
        const double A0 = (1.0 + a1 + a2) * (1.0 + a1 + a2);
        const double A1 = (1.0 - a1 + a2) * (1.0 - a1 + a2);
        const double B1 = ((A1 * phi1 + A0 * phi0 - 16.0 * a2 * phi0 * phi1) * Q * Q - A0 * phi0) / phi1;
        const double b0 = (std::sqrt (A0) + std::sqrt (B1)) / 2.0;
        setTwoPoles (lowPass, b0, std::sqrt (A0) - b0, 0.0, a1, a2);
    }

    // Matched second-order peaking filter.
    {
        const double G = fmath::expd (peakDb * dsp::decibelToNeper * 0.5); // 10^(dB / 40)
        double bw = peakOctaves;
        if (wp > 1.0)
            bw *= std::tanh (((wp - 0.244088) * (2.41834 - std::cosh (wp)))
                             / (std::tanh (wp - 1.00059) * (std::cosh (bw) - 2.06627) * (bw + 2.20167) + 67.5726))
                  + 0.989452;

        const double zeta = std::sinh (0.34657359027997264 * bw) / G;
        const double c = zeta <= 1.0 ? std::cos (std::sqrt (1.0 - zeta * zeta) * wp)
                                     : std::cosh (std::sqrt (zeta * zeta - 1.0) * wp);
        const double e = std::exp (-zeta * wp);
        const double a1 = -2.0 * e * c;
        const double a2 = e * e;
        const double sinHalf = std::sin (wp / 2.0);
        const double phi1 = sinHalf * sinHalf;
        const double phi0 = 1.0 - phi1;
        const double A0 = (1.0 + a1 + a2) * (1.0 + a1 + a2);
        const double A1 = (1.0 - a1 + a2) * (1.0 - a1 + a2);
        const double A2 = -4.0 * a2;
        const double H = G * G * G * G;
        const double R2 = (4.0 * (phi0 - phi1) * A2 + A1 - A0) * H;
        const double B2 = ((4.0 * phi0 * phi1 * A2 + A0 * phi0 + A1 * phi1) * H - R2 * phi1 - A0) / (4.0 * phi1 * phi1);
        const double s0 = std::sqrt (A0);
        const double s1 = std::sqrt (4.0 * (phi1 - phi0) * B2 + A0 + R2);
        const double W = (s0 + s1) / 2.0;
        const double b0 = (W + std::sqrt (W * W + B2)) / 2.0;
        setTwoPoles (peaking, b0, (s0 - s1) / 2.0, -B2 / (4.0 * b0), a1, a2);
    }

    toneGainCutoff = toneGainHz;
    setToneSmootherRate (toneGainRate);
    toneGainTarget = fmath::expd (toneDb * dsp::decibelToNeper);

    feedbackHighShelf.setCoefficients (designOnePoleShelf (ShelfForm::highShelf, feedbackHighShelfHz, sr, shelfGainFromDecibels (feedbackHighShelfDb)));
    feedbackLowShelf.setCoefficients (designOnePoleShelf (ShelfForm::lowShelf, feedbackLowShelfHz, sr, shelfGainFromDecibels (feedbackLowShelfDb)));

    outputGain = fmath::expd (outputDb * dsp::decibelToNeper);
}
