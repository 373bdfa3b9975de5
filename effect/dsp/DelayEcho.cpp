#include "effect/dsp/DelayEcho.h"

#include "effect/dsp/DezorCharacter.h"
#include "effect/dsp/DspMath.h"

#include <algorithm>
#include <cmath>
#include <new>

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
    readK = dsp::smoothingCoefficient (readCutoff, newSampleRate);
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
