#pragma once

#include "effect/dsp/BreakpointTable.h"
#include "effect/dsp/DezorSaturation.h"
#include "effect/dsp/EchoCharacter.h"
#include "effect/dsp/OnePoleDF1.h"
#include "effect/dsp/TwoPolesDF1.h"
#include "effect/dsp/TwoPolesTDF2.h"
#include "framework/Relaxed.h"

// The echo character of the delay: a tone-dependent peaking filter and low-pass, the
// low-cut high-pass and the saturation on the write path; two gentle shelves and a
// drive-dependent gain on the feedback path; a small lift on the output.
class DezorCharacter final : public EchoCharacter
{
public:
    // Drive takes some feedback away, so that the driven loop does not run away.
    static constexpr double driveFeedbackDb = -5.0;
    // The clipper's input and make-up gains, driven and clean.
    static constexpr double driveSaturationInputDb = 16.5;
    static constexpr double driveSaturationOutputDb = -11.5;
    static constexpr double cleanSaturationInputDb = 2.0;
    static constexpr double cleanSaturationOutputDb = -2.0;
    static constexpr double outputDb = 1.0;

    // The feedback path's shelves.
    static constexpr double feedbackHighShelfHz = 5200.0;
    static constexpr double feedbackHighShelfDb = -1.0;
    static constexpr double feedbackLowShelfHz = 800.0;
    static constexpr double feedbackLowShelfDb = -0.25;

    // The tone gain glides at this cut-off; before the first set() it moves fast.
    static constexpr double toneGainHz = 5.0;

    DezorCharacter();

    void reset (double sampleRate) override;
    void set (double lowCutHz, double tone, bool saturationOn, bool drive) override;

    double processOnWrite (double x) override
    {
        double y = peaking.process (x);
        y = lowCut.process (y);
        if (saturationOn.load())
            y = saturation.process (y);
        y = lowPass.process (y);
        toneGain += (toneGainTarget - toneGain) * toneGainK;
        return y * toneGain;
    }

    double processFeedback (double x) override
    {
        double y = feedbackHighShelf.process (x);
        y = feedbackLowShelf.process (y);
        return y * feedbackGain;
    }

    double processOutput (double x) override { return x * outputGain; }

    // For inspection.
    const TwoPolesDF1& getPeaking() const { return peaking; }
    const TwoPolesTDF2& getLowCut() const { return lowCut; }
    const TwoPolesDF1& getLowPass() const { return lowPass; }
    const OnePoleDF1& getFeedbackHighShelf() const { return feedbackHighShelf; }
    const OnePoleDF1& getFeedbackLowShelf() const { return feedbackLowShelf; }
    const DezorSaturation& getSaturation() const { return saturation; }
    double getFeedbackGain() const { return feedbackGain; }
    double getOutputGain() const { return outputGain; }
    double getToneGainTarget() const { return toneGainTarget; }
    bool isSaturationOn() const { return saturationOn.load(); }

    static const BreakpointTable& lowCutTable();
    static const BreakpointTable& toneTable();

private:
    // The block kernel runs the line on copies of its state and settings.
    friend class StereoEchoKernel;

    void setToneSmootherRate (double rate);

    Relaxed<double> sampleRate { 44100.0 };

    // Tone gain smoother; the state starts at 0 so the write path fades in.
    double toneGain = 0.0;
    Relaxed<double> toneGainK { 0.1 };
    Relaxed<double> toneGainCutoff { 1000.0 };
    Relaxed<double> toneGainRate { 44100.0 };

    OnePoleDF1 feedbackHighShelf, feedbackLowShelf;
    TwoPolesDF1 lowPass, peaking;
    TwoPolesTDF2 lowCut;
    DezorSaturation saturation;

    Relaxed<double> toneGainTarget { 1.0 };
    Relaxed<double> outputGain { 1.0 };
    Relaxed<double> feedbackGain { 1.0 };
    Relaxed<bool> saturationOn { true };
};
