#include "effect/dsp/DelayEcho.h"
#include "effect/dsp/DezorCharacter.h"
#include "effect/dsp/DezorSaturation.h"

#include "tests/effect/DspTestHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <vector>

using dsptest::toDecibels;
using dsptest::ulpDistance;

namespace
{
DezorCharacter makeCharacter (double sampleRate, double lowCutHz, double tone, bool saturationOn, bool drive)
{
    DezorCharacter c;
    c.reset (sampleRate);
    c.set (lowCutHz, tone, saturationOn, drive);
    return c;
}
} // namespace

//==============================================================================
TEST (BreakpointTable, InterpolatesBetweenTheRowsThatBracketTheKey)
{
    const BreakpointTable minimumTime (2, { 0.0, 0.0, 0.1, 1.0, 10.0, 3.0, 20.0, 5.0, 50.0, 15.0, 70.0, 26.0, 100.0, 30.0 });
    struct Case
    {
        double key, expected;
    };
    for (const auto& c : { Case { 0.0, 0.0 }, Case { 0.05, 0.5 }, Case { 0.1, 1.0 }, Case { 15.0, 4.0 },
                           Case { 60.0, 20.5 }, Case { 100.0, 30.0 } })
        EXPECT_NEAR (minimumTime.lookup (c.key), c.expected, 1e-12) << c.key;
}

TEST (BreakpointTable, KeysOutsideTheRowsReadZero)
{
    const BreakpointTable slowRate (2, { 0.0, 1.0, 500.0, 0.2, 20000.0, 0.1 });
    for (double key : { -0.001, 20000.5, std::nan (""), HUGE_VAL })
        EXPECT_EQ (slowRate.lookup (key), 0.0) << key;

    const BreakpointTable oneRow (2, { 0.0, 5.0 });
    EXPECT_EQ (oneRow.lookup (0.0), 0.0);
}

TEST (BreakpointTable, ToneReadsItsRowsAndInterpolatesBetweenThem)
{
    const auto& tones = DezorCharacter::toneTable();
    // Tone 5 is a row of its own.
    EXPECT_DOUBLE_EQ (tones.lookup (5.0, 1), 4.556);
    EXPECT_DOUBLE_EQ (tones.lookup (5.0, 2), 1839.14);
    EXPECT_DOUBLE_EQ (tones.lookup (5.0, 3), 4.72);
    EXPECT_DOUBLE_EQ (tones.lookup (5.0, 4), 6260.0);
    EXPECT_DOUBLE_EQ (tones.lookup (5.0, 5), -3.8);
    // Tone 9 lies halfway between the rows for 8 and 10.
    EXPECT_DOUBLE_EQ (tones.lookup (9.0, 1), 3.25);
    EXPECT_DOUBLE_EQ (tones.lookup (9.0, 2), 2750.0);
    EXPECT_DOUBLE_EQ (tones.lookup (9.0, 3), 4.0);
    EXPECT_DOUBLE_EQ (tones.lookup (9.0, 4), 16500.0);
    EXPECT_DOUBLE_EQ (tones.lookup (9.0, 5), -2.4);
}

//==============================================================================
TEST (DezorCharacter, LowCutHasItsQAtItsCorner)
{
    struct Case
    {
        double lowCutHz, Q;
    };
    for (double sr : { 44100.0, 96000.0 })
        for (const auto& c : { Case { 20.0, std::sqrt (0.44) }, Case { 90.0, std::sqrt (0.05) } })
        {
            SCOPED_TRACE (testing::Message() << sr << " Hz, low cut " << c.lowCutHz);
            const auto character = makeCharacter (sr, c.lowCutHz, 5.0, true, false);
            EXPECT_NEAR (character.getLowCut().getMagnitude (c.lowCutHz), c.Q, 1e-6);
            EXPECT_NEAR (character.getLowCut().getMagnitude (5000.0), 1.0, 5e-3);
            EXPECT_LT (character.getLowCut().getMagnitude (1.0), 0.01);
        }
}

struct ToneCase
{
    double sampleRate, tone;

    friend std::ostream& operator<< (std::ostream& os, const ToneCase& c)
    {
        return os << c.sampleRate << " Hz, tone " << c.tone;
    }
};

class DezorCharacterTone : public ::testing::TestWithParam<ToneCase>
{
};

TEST_P (DezorCharacterTone, LowPassIsUnityAtDcAndItsQAtItsCorner)
{
    const auto& p = GetParam();
    const auto character = makeCharacter (p.sampleRate, 20.0, p.tone, true, false);
    const double corner = std::min (DezorCharacter::toneTable().lookup (p.tone, 4), 0.4999 * p.sampleRate);
    EXPECT_NEAR (character.getLowPass().getMagnitude (0.0), 1.0, 1e-9);
    EXPECT_NEAR (character.getLowPass().getMagnitude (corner), 0.5370219067229305, 1e-6);
}

TEST_P (DezorCharacterTone, PeakingFilterReachesTheTableGainAtItsPeak)
{
    const auto& p = GetParam();
    const auto character = makeCharacter (p.sampleRate, 20.0, p.tone, true, false);
    const double peakDb = DezorCharacter::toneTable().lookup (p.tone, 1);
    const double peakHz = DezorCharacter::toneTable().lookup (p.tone, 2);
    EXPECT_NEAR (character.getPeaking().getMagnitude (0.0), 1.0, 1e-9);
    EXPECT_NEAR (toDecibels (character.getPeaking().getMagnitude (peakHz)), peakDb, 1e-4);
    EXPECT_LT (character.getPeaking().getMagnitude (peakHz * 4.0), character.getPeaking().getMagnitude (peakHz));
}

INSTANTIATE_TEST_SUITE_P (
    RatesAndTones,
    DezorCharacterTone,
    ::testing::Values (ToneCase { 44100.0, 0.0 }, ToneCase { 44100.0, 5.0 }, ToneCase { 44100.0, 9.0 },
                       ToneCase { 44100.0, 10.0 }, ToneCase { 48000.0, 2.0 }, ToneCase { 96000.0, 6.5 },
                       ToneCase { 96000.0, 10.0 },
                       // 20 kHz is beyond Nyquist here: the low-pass sits at 15996.8 Hz.
                       ToneCase { 32000.0, 10.0 }));

TEST (DezorCharacter, WritePathWithoutSaturationIsItsFiltersTimesTheToneGain)
{
    const double sr = 44100.0;
    auto character = makeCharacter (sr, 20.0, 5.0, false, false);
    for (int n = 0; n < static_cast<int> (sr * 2.0); ++n) // let the tone gain fade in
        character.processOnWrite (0.0);

    struct WritePath
    {
        DezorCharacter& c;
        double process (double x) { return c.processOnWrite (x); }
    };
    for (double hz : { 200.0, 1839.14, 8000.0 })
    {
        const double expected = character.getPeaking().getMagnitude (hz) * character.getLowCut().getMagnitude (hz)
                                * character.getLowPass().getMagnitude (hz) * character.getToneGainTarget();
        EXPECT_NEAR (dsptest::measuredGain (WritePath { character }, hz, sr), expected, 2e-3) << hz;
    }
    EXPECT_NEAR (character.getToneGainTarget(), std::pow (10.0, -3.8 / 20.0), 1e-12);
}

TEST (DezorCharacter, FeedbackPathShelvesAndDriveCut)
{
    struct Case
    {
        bool saturationOn, drive;
        double expectedDb;
    };
    for (const auto& c : { Case { true, false, -0.25 }, Case { true, true, -5.25 }, Case { false, true, -0.25 } })
    {
        auto character = makeCharacter (44100.0, 20.0, 5.0, c.saturationOn, c.drive);
        double y = 0.0;
        for (int n = 0; n < 44100; ++n)
            y = character.processFeedback (1.0);
        EXPECT_NEAR (toDecibels (y), c.expectedDb, 1e-3) << c.saturationOn << c.drive;
    }
}

TEST (DezorCharacter, DriveClipsHarderWithLessMakeUp)
{
    const auto off = makeCharacter (44100.0, 20.0, 5.0, true, false);
    const auto on = makeCharacter (44100.0, 20.0, 5.0, true, true);
    EXPECT_LE (ulpDistance (off.getSaturation().inputGain, 1.2589254117941615), 4);
    EXPECT_LE (ulpDistance (off.getSaturation().outputGain, 0.7943282347242852), 4);
    EXPECT_LE (ulpDistance (on.getSaturation().inputGain, 6.683439175685894), 4);
    EXPECT_LE (ulpDistance (on.getSaturation().outputGain, 0.2660725059798879), 4);
    EXPECT_NEAR (toDecibels (on.getSaturation().inputGain / off.getSaturation().inputGain), 14.5, 1e-9);
    EXPECT_NEAR (toDecibels (on.getSaturation().outputGain / off.getSaturation().outputGain), -9.5, 1e-9);
}

TEST (DezorCharacter, OutputIsOneDecibelUp)
{
    auto character = makeCharacter (44100.0, 20.0, 5.0, true, false);
    EXPECT_LE (ulpDistance (character.processOutput (1.0), 1.122018454301961), 4);
}

TEST (DezorCharacter, ResetSilencesEveryFilterAndTheSaturationButKeepsTheirDesign)
{
    const double sr = 48000.0;
    auto character = makeCharacter (sr, 90.0, 3.0, true, true);
    const auto peakingBefore = character.getPeaking();
    const auto loud = dsptest::noise (20000, 4.0, 7);
    for (double x : loud)
    {
        character.processOnWrite (x);
        character.processFeedback (x);
    }

    character.reset (sr);
    for (int n = 0; n < 5000; ++n)
    {
        ASSERT_EQ (character.processOnWrite (0.0), 0.0) << n;
        ASSERT_EQ (character.processFeedback (0.0), 0.0) << n;
    }
    EXPECT_EQ (character.getPeaking().b0.load(), peakingBefore.b0.load());
    EXPECT_EQ (character.getPeaking().a1.load(), peakingBefore.a1.load());
}

TEST (DezorCharacter, UnknownLowCutFrequenciesPassThrough)
{
    for (double hz : { 0.0, 500.0, std::nan ("") })
    {
        const auto character = makeCharacter (44100.0, hz, 5.0, true, false);
        EXPECT_DOUBLE_EQ (character.getLowCut().getMagnitude (10.0), 1.0) << hz;
    }
}

//==============================================================================
TEST (DezorSaturation, ClipperNeverLeavesItsLimit)
{
    const double limit = DezorSaturation::clipLimit;
    double previous = DezorSaturation::clip (-20.0);
    for (double z = -20.0; z <= 20.0; z += 1.0e-4)
    {
        const double c = DezorSaturation::clip (z);
        // The curve's top lies on the limit to within rounding.
        ASSERT_LE (std::fabs (c), limit + 2.0e-16) << z;
        ASSERT_GE (c, previous - 2.0e-16) << z; // never turns back
        ASSERT_EQ (DezorSaturation::clip (-z), -c) << z;
        previous = c;
    }
    for (double z : { 1e3, 1e150, 1e300, HUGE_VAL })
    {
        EXPECT_EQ (DezorSaturation::clip (z), limit);
        EXPECT_EQ (DezorSaturation::clip (-z), -limit);
    }
    // It meets the limit continuously at the knee.
    EXPECT_NEAR (DezorSaturation::clip (DezorSaturation::clipKnee - 1e-9), limit, 1e-12);
    EXPECT_NEAR (DezorSaturation::clip (DezorSaturation::clipKnee + 1e-9), limit, 1e-12);
}

TEST (DezorSaturation, LoudInputStaysBounded)
{
    auto character = makeCharacter (44100.0, 20.0, 5.0, true, true);
    DezorSaturation saturation = character.getSaturation();
    saturation.reset (44100.0);
    double peak = 0.0;
    for (double x : dsptest::noise (44100, 1.0e6, 8))
    {
        const double y = saturation.process (x);
        ASSERT_TRUE (std::isfinite (y));
        peak = std::max (peak, std::fabs (y));
    }
    EXPECT_LT (peak, 2.0);
    EXPECT_GT (peak, 0.01);
}

TEST (DezorSaturation, ResetClearsEveryState)
{
    DezorSaturation saturation;
    saturation.reset (44100.0);
    saturation.inputGain = 6.0;
    for (double x : dsptest::noise (10000, 2.0, 9))
        saturation.process (x);

    saturation.reset (44100.0);
    for (int n = 0; n < 5000; ++n)
        ASSERT_EQ (saturation.process (0.0), 0.0) << n;
}

TEST (DezorSaturation, ShelvesCarryTheirMakeUp)
{
    DezorSaturation saturation;
    saturation.reset (44100.0);
    // Low shelves: +3 dB then -1.5 dB at DC before the clipper, -3 dB then +1.5 dB after it.
    EXPECT_NEAR (toDecibels (saturation.getPreShelf().getMagnitude (0.0)), 1.5, 1e-3);
    EXPECT_NEAR (toDecibels (saturation.getPostShelf().getMagnitude (0.0)), -1.5, 1e-3);
    EXPECT_NEAR (toDecibels (saturation.getPreShelf().getMagnitude (22000.0)), -1.5, 0.1);
    EXPECT_NEAR (toDecibels (saturation.getPostShelf().getMagnitude (22000.0)), 1.5, 0.1);
}
