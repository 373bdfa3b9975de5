#include "DelayEcho.h"

#include "fmath.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace
{
constexpr double twoPi = 6.283185307179586;

// Decibels to gain as e^(dB * ln(10) / 20).
constexpr double decibelToNeper = 0.1151292546497;

// Coefficient of a one-pole smoother s += (target - s) * k at a cut-off frequency.
double smoothingCoefficient (double cutoffHz, double sampleRate)
{
    return 1.0 - std::exp (-twoPi * cutoffHz / sampleRate);
}

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

//==============================================================================
BreakpointTable::BreakpointTable (int numColumns, std::vector<double> rowMajorValues)
    : columns (numColumns), values (std::move (rowMajorValues))
{
    rows = columns > 0 ? static_cast<int> (values.size()) / columns : 0;
}

double BreakpointTable::lookup (double key, int column) const
{
    if (rows < 2 || columns < 2 || column < 1 || column >= columns)
        return 0.0;

    for (int i = 0; i + 1 < rows; ++i)
    {
        const double* lo = &values[static_cast<size_t> (i * columns)];
        const double* hi = lo + columns;
        if (lo[0] <= key && key <= hi[0])
        {
            const double width = hi[0] - lo[0];
            if (width <= 0.0)
                return lo[column];
            return lo[column] + (hi[column] - lo[column]) * (key - lo[0]) / width;
        }
    }
    return 0.0;
}

//==============================================================================
void DezorSaturation::reset (double newSampleRate)
{
    sampleRate = newSampleRate;
    preShelf.reset (sampleRate);
    postShelf.reset (sampleRate);

    // Every state goes, so that nothing from before the reset can ring on.
    memorySmoothed = envelope = dc = previous = memory = 0.0;

    kMemory = smoothingCoefficient (250.0, sampleRate);
    kEnvelope = smoothingCoefficient (6.0, sampleRate);
    kDc = smoothingCoefficient (10.0, sampleRate);

    preShelf.setCoefficients (designOnePoleShelf (ShelfForm::lowShelf, 900.0, sampleRate, shelfGainFromDecibels (3.0)),
                              fmath::expd (-0.17269388197455));
    postShelf.setCoefficients (designOnePoleShelf (ShelfForm::lowShelf, 1366.0, sampleRate, shelfGainFromDecibels (-3.0)),
                               fmath::expd (0.17269388197455));
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

//==============================================================================
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
    toneGainK = smoothingCoefficient (toneGainCutoff, rate);
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

    feedbackGain = (newSaturationOn && drive) ? fmath::expd (-0.5756462732485) : 1.0;
    saturation.inputGain = drive ? fmath::expd (1.89963270172005) : fmath::expd (0.2302585092994);
    saturation.outputGain = drive ? fmath::expd (-1.3239864284715501) : fmath::expd (-0.2302585092994);
    saturationOn = newSaturationOn;

    // Low-cut high-pass.
    {
        const double q = lowCutTable().lookup (lowCutHz);
        if (lowCutHz > 0.0 && q > 0.0)
        {
            const double Q = 1.0 / std::sqrt (2.0 * (1.0 / q - 1.0) + 2.0);
            const double w = twoPi * lowCutHz / sr;
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

    const double wp = twoPi * normalisedFrequency (peakHz, sr);
    const double wl = twoPi * normalisedFrequency (lowPassHz, sr);

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
        const double G = fmath::expd (peakDb * decibelToNeper * 0.5); // 10^(dB / 40)
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

    toneGainCutoff = 5.0;
    setToneSmootherRate (toneGainRate);
    toneGainTarget = fmath::expd (toneDb * decibelToNeper);

    feedbackHighShelf.setCoefficients (designOnePoleShelf (ShelfForm::highShelf, 5200.0, sr, shelfGainFromDecibels (-1.0)));
    feedbackLowShelf.setCoefficients (designOnePoleShelf (ShelfForm::lowShelf, 800.0, sr, shelfGainFromDecibels (-0.25)));

    outputGain = fmath::expd (decibelToNeper);
}

//==============================================================================
DelayEcho::DelayEcho()
    : depthBaseTable (2, { 0.0, 0.0,
                           50.0, 4.5,
                           100.0, 7.75 }),
      slowRateTable (2, { 0.0, 1.0,
                          500.0, 0.2,
                          20000.0, 0.1 }),
      fastRateTable (2, { 0.0, 14.0,
                          500.0, 12.0,
                          20000.0, 8.9 }),
      minimumTimeTable (2, { 0.0, 0.0,
                             0.1, 1.0,
                             10.0, 3.0,
                             20.0, 5.0,
                             50.0, 15.0,
                             70.0, 26.0,
                             100.0, 30.0 }),
      offsetShelfTable (2, { 0.0, 0.0,
                             5.0, -0.8,
                             13.0, -1.4,
                             30.0, -2.0,
                             4000.0, -2.0 })
{
    characters.push_back (std::make_unique<DezorCharacter>());
}

DelayEcho::~DelayEcho() = default;

int DelayEcho::ringLengthFor (double rate)
{
    const double needed = (maxTimeMs + maxOffsetMs) * rate * 0.001 + maxModulationSamples + 2.0;
    if (! (needed <= static_cast<double> (maxRingLength)))
        return 0;

    int length = 1;
    while (length < needed)
        length <<= 1;
    return length;
}

void DelayEcho::reset (double newSampleRate)
{
    const int length = newSampleRate > 0.0 ? ringLengthFor (newSampleRate) : 0;

    if (ring != nullptr && length == ringLength)
    {
        std::fill (ring.get(), ring.get() + ringLength, 0.0);
    }
    else
    {
        // The old ring goes only once the new one exists.
        std::unique_ptr<double[]> fresh (length > 0 ? new (std::nothrow) double[static_cast<size_t> (length)]() : nullptr);
        if (fresh == nullptr)
        {
            silenced = true;
            return;
        }
        ring = std::move (fresh);
        ringLength = length;
    }

    silenced = false;
    writeIndex = 0;
    mask = ringLength - 1;
    maxReadPosition = ringLength - 2;

    sampleRate = newSampleRate;
    for (Lfo* lfo : { &lfo1, &lfo2, &lfo3, &lfo4 })
        lfo->sampleRate = newSampleRate;
    lfo1.phase = -1.0;
    lfo2.phase = -1.0;
    lfo3.phase = 0.5;
    lfo4.phase = -0.7;

    for (auto& character : characters)
        character->reset (newSampleRate);

    readCutoff = 1.8;
    readK = smoothingCoefficient (readCutoff, newSampleRate);
    readPosition = std::clamp (readPosition, 0.0, maxReadPosition);

    offsetShelf.reset (newSampleRate);

    // The last read feeds the next write; it belongs to the silenced past.
    lastRead = 0.0;
}

void DelayEcho::setDelay (double timeMs, double feedbackPct, double modulationPct, double offsetMs)
{
    const double sr = sampleRate;
    const double minimumTime = minimumTimeTable.lookup (modulationPct);

    const double rate1 = slowRateTable.lookup (timeMs);
    lfo1.setRate (rate1);
    const double base = depthBaseTable.lookup (modulationPct);
    lfo1.depth = base * 10.0;
    lfo2.setRate (rate1 * 1.15);
    lfo2.depth = base * 0.66 * 10.0;

    const double rate3 = fastRateTable.lookup (timeMs);
    lfo3.setRate (rate3);
    lfo4.setRate (rate3 * 1.15 * 0.875);
    lfo3.depth = lfo1.depth.load();
    lfo4.depth = lfo2.depth.load();

    // Whatever the caller asks, the delay stays within what the ring was sized for.
    const double time = std::min (timeMs > minimumTime ? timeMs : minimumTime, maxTimeMs);
    const double offset = std::isfinite (offsetMs) ? std::clamp (offsetMs, -maxOffsetMs, maxOffsetMs) : 0.0;
    delaySamples = std::max (time + offset, 0.0) * sr * 0.001;

    const double feedback = feedbackPct > 0.0 ? std::min (feedbackPct, 200.0) : 0.0;
    feedbackGain = feedback * 0.01;

    const double shelfDb = offsetShelfTable.lookup (offset);
    offsetShelf.setCoefficients (designOnePoleShelf (ShelfForm::highShelf, 3000.0, sr, shelfGainFromDecibels (shelfDb)));
}

double DelayEcho::processSample (double x, double externalModulation)
{
    if (silenced)
        return 0.0;

    // A non-finite sample would circulate in the loop and the filters for ever.
    if (! std::isfinite (x))
        x = 0.0;

    EchoCharacter& character = *characters[static_cast<size_t> (currentCharacter.load())];

    const double f = character.processFeedback (lastRead * feedbackGain);
    const double w = character.processOnWrite (f + x);
    writeIndex = (writeIndex + 1) & mask;
    ring[static_cast<size_t> (writeIndex)] = w;

    double m;
    if (externalModulation == noModulation)
    {
        const double s2 = lfo2.step (1.0);
        const double s1 = lfo1.step (1.0 + 0.1 * lfo2.depth * s2);
        const double s4 = lfo4.step (1.0);
        const double s3 = lfo3.step (1.0 + 0.075 * lfo4.depth * s4);
        m = 0.35 * lfo3.depth * s3 + lfo1.depth * s1;
    }
    else
    {
        m = std::isfinite (externalModulation) ? externalModulation : 0.0;
    }
    modulation = m;

    // The read never leaves the ring, however far the modulation swings.
    double target = m + delaySamples;
    target = target > 0.0 ? target : 0.0;
    target = target < maxReadPosition ? target : maxReadPosition;
    readPosition += (target - readPosition) * readK;

    const int i = static_cast<int> (readPosition);
    const double frac = readPosition - i;
    const double a = ring[static_cast<size_t> ((writeIndex - i - 1) & mask)];
    const double b = ring[static_cast<size_t> ((writeIndex - i) & mask)];
    const double y = b + (a - b) * frac;
    lastRead = y;

    return character.processOutput (offsetShelf.process (y));
}

void DelayEcho::setCharacters (double lowCutHz, double tone, bool saturationOn, bool drive)
{
    currentCharacter = 0;
    for (auto& character : characters)
        character->set (lowCutHz, tone, saturationOn, drive);
}

void DelayEcho::setCurrentCharacter (int index)
{
    currentCharacter = std::clamp (index, 0, getNumCharacters() - 1);
}
