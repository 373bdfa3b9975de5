#pragma once

// One channel's echo: a power-of-two ring of doubles read behind the write position
// at an LFO-modulated delay, with an echo character on the write, feedback and
// output paths.
//
// Threads: reset() runs while audio is stopped; setDelay() and the characters' set()
// may run on a parameter thread while processSample() runs on the audio thread.
// Every setting that crosses those threads is a Relaxed value.

#include "effect/dsp/BreakpointTable.h"
#include "effect/dsp/EchoCharacter.h"
#include "effect/dsp/OnePoleDF1.h"
#include "framework/Relaxed.h"

#include <memory>
#include <vector>

class DelayEcho
{
public:
    // External modulation equal to this (the smallest positive normal double) means
    // "none": the line runs its own LFOs.
    static constexpr double noModulation = 2.2250738585072014e-308;

    // The longest delay the parameters can ask for: the longest "Time", the widest
    // "LR Offset", and the LFOs' widest swing at full modulation (about 850 samples),
    // plus the two samples the interpolation reads.
    static constexpr double maxTimeMs = 4000.0;
    static constexpr double maxOffsetMs = 50.0;
    static constexpr double maxModulationSamples = 1024.0;

    // Rings beyond this are not allocated; the line stays silent instead.
    static constexpr int maxRingLength = 1 << 24;

    DelayEcho();
    ~DelayEcho();

    DelayEcho (const DelayEcho&) = delete;
    DelayEcho& operator= (const DelayEcho&) = delete;

    // Prepares for a sample rate and silences the line. If the ring cannot be had,
    // the previous one is kept and the line outputs silence until a reset succeeds.
    void reset (double sampleRate);

    void setDelay (double timeMs, double feedbackPct, double modulationPct, double offsetMs);

    double processSample (double x, double externalModulation);

    // Modulation (in samples) used at the last sample; the right line takes the
    // left line's as its external modulation.
    double getModulation() const { return modulation; }

    // Sets every character and makes the first one current.
    void setCharacters (double lowCutHz, double tone, bool saturationOn, bool drive);

    int getNumCharacters() const { return static_cast<int> (characters.size()); }
    EchoCharacter& getCharacter (int index) { return *characters[static_cast<size_t> (index)]; }
    const EchoCharacter& getCharacter (int index) const { return *characters[static_cast<size_t> (index)]; }
    int getCurrentCharacter() const { return currentCharacter.load(); }
    void setCurrentCharacter (int index);

    // For inspection.
    double getSampleRate() const { return sampleRate; }
    double getDelaySamples() const { return delaySamples; }
    double getFeedbackGain() const { return feedbackGain; }
    double getReadPosition() const { return readPosition; }
    int getRingLength() const { return ringLength; }
    bool isSilenced() const { return silenced; }
    const OnePoleDF1& getOffsetShelf() const { return offsetShelf; }

    static int ringLengthFor (double sampleRate);

private:
    // The block kernel runs the line on copies of its state and settings.
    friend class StereoEchoKernel;

    struct Lfo
    {
        Relaxed<double> sampleRate { 44100.0 };
        Relaxed<double> depth { 0.0 };
        Relaxed<double> increment { 0.0 };
        Relaxed<double> rate { 0.0 };
        double phase = 0.0;

        void setRate (double hz)
        {
            rate = hz;
            increment = hz / sampleRate.load() * 4.0;
        }

        // One cycle spans 4; the phase is wrapped at the top only.
        double step (double factor)
        {
            double p = phase + increment * factor;
            if (p > 2.0)
                p -= 4.0;
            phase = p;
            const double t = 2.0 * (2.0 - (p < 0.0 ? -p : p)) * p;
            return t * (t * t + 27.0) / (9.0 * t * t + 27.0);
        }
    };

    double modulation = 0.0;
    Relaxed<double> sampleRate { 44100.0 };
    Relaxed<double> delaySamples { -1.0 };
    Relaxed<double> feedbackGain { 0.3 };
    double lastRead = 0.0;

    std::unique_ptr<double[]> ring;
    int ringLength = 0;
    int writeIndex = 0;
    int mask = 0;
    double maxReadPosition = 0.0;
    bool silenced = true;

    double readPosition = 0.0;
    double readCutoff = 1000.0;
    double readK = 0.1;

    OnePoleDF1 offsetShelf;

    std::vector<std::unique_ptr<EchoCharacter>> characters;
    Relaxed<int> currentCharacter { 0 };

    Lfo lfo1, lfo2, lfo3, lfo4;

    BreakpointTable depthBaseTable;
    BreakpointTable slowRateTable;
    BreakpointTable fastRateTable;
    BreakpointTable minimumTimeTable;
    BreakpointTable offsetShelfTable;
};
