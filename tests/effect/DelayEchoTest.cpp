#include "effect/dsp/DelayEcho.h"
#include "effect/dsp/DezorCharacter.h"
#include "effect/dsp/DezorSaturation.h"

#include "tests/effect/DspTestHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <memory>
#include <ostream>
#include <thread>
#include <vector>

using dsptest::toDecibels;

namespace
{
struct Settings
{
    double sampleRate = 44100.0;
    double timeMs = 240.0;
    double feedbackPct = 0.0;
    double modulationPct = 0.0;
    double offsetMs = 0.0;
    double tone = 5.0;
    bool drive = false;
};

constexpr double none = DelayEcho::noModulation;

std::unique_ptr<DelayEcho> makeLine (const Settings& s)
{
    auto line = std::make_unique<DelayEcho>();
    line->reset (s.sampleRate);
    line->setDelay (s.timeMs, s.feedbackPct, s.modulationPct, s.offsetMs);
    line->setCharacters (20.0, s.tone, true, s.drive);
    return line;
}

// The read position glides in from 0 and the tone gain fades in; three seconds of
// silence settle both far below anything the tests look at.
std::unique_ptr<DelayEcho> makeSettledLine (const Settings& s)
{
    auto line = makeLine (s);
    for (int n = 0; n < static_cast<int> (s.sampleRate * 3.0); ++n)
        line->processSample (0.0, none);
    return line;
}

std::vector<double> impulseResponse (DelayEcho& line, int length)
{
    std::vector<double> out (static_cast<size_t> (length));
    for (int n = 0; n < length; ++n)
        out[static_cast<size_t> (n)] = line.processSample (n == 0 ? 1.0e-3 : 0.0, none);
    return out;
}

double peakIn (const std::vector<double>& v, int from, int to)
{
    double peak = 0.0;
    for (int n = std::max (from, 0); n < std::min (to, static_cast<int> (v.size())); ++n)
        peak = std::max (peak, std::fabs (v[static_cast<size_t> (n)]));
    return peak;
}

// First sample of an echo: the first one in the window above a millionth of the
// window's peak (the glide leaves a far smaller leak one sample early).
int onsetIn (const std::vector<double>& v, int from, int to)
{
    const double threshold = 1.0e-6 * peakIn (v, from, to);
    for (int n = std::max (from, 0); n < std::min (to, static_cast<int> (v.size())); ++n)
        if (std::fabs (v[static_cast<size_t> (n)]) > threshold)
            return n;
    return -1;
}
} // namespace

//==============================================================================
struct OnsetCase
{
    double sampleRate, timeMs, offsetMs;
    int expectedOnset;

    friend std::ostream& operator<< (std::ostream& os, const OnsetCase& c)
    {
        return os << c.sampleRate << " Hz, " << c.timeMs << " ms + " << c.offsetMs << " ms";
    }
};

class DelayEchoOnset : public ::testing::TestWithParam<OnsetCase>
{
};

TEST_P (DelayEchoOnset, EchoStartsExactlyOneDelayLater)
{
    const auto& c = GetParam();
    Settings s;
    s.sampleRate = c.sampleRate;
    s.timeMs = c.timeMs;
    s.offsetMs = c.offsetMs;
    auto line = makeSettledLine (s);

    const auto out = impulseResponse (*line, c.expectedOnset + 2000);
    EXPECT_LT (peakIn (out, 0, c.expectedOnset), 1.0e-6 * peakIn (out, c.expectedOnset, c.expectedOnset + 2000));
    EXPECT_EQ (onsetIn (out, 0, c.expectedOnset + 2000), c.expectedOnset);
}

INSTANTIATE_TEST_SUITE_P (
    Delays,
    DelayEchoOnset,
    ::testing::Values (OnsetCase { 44100.0, 240.0, 0.0, 10584 },
                       OnsetCase { 44100.0, 240.0, 10.0, 11025 },
                       OnsetCase { 48000.0, 240.0, 0.0, 11520 },
                       OnsetCase { 96000.0, 100.0, 0.0, 9600 },
                       OnsetCase { 44100.0, 0.0, 0.0, 0 },
                       // The longest delay at a rate where "Time" alone fills a power of two.
                       OnsetCase { 65536.0, 4000.0, 50.0, 265420 }));

TEST (DelayEcho, EachRepeatStartsOneSampleLaterThanTheOneBefore)
{
    Settings s;
    s.feedbackPct = 60.0;
    auto line = makeSettledLine (s);
    const int D = 10584;
    const auto out = impulseResponse (*line, 4 * D);
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ (onsetIn (out, k * D - 300, k * D + 800), k * D + (k - 1)) << "repeat " << k;
}

TEST (DelayEcho, RingHoldsTheLongestModulatedDelay)
{
    // 4000 ms at 65536 Hz fill a 2^18 ring exactly; offset and modulation go beyond.
    Settings s;
    s.sampleRate = 65536.0;
    s.timeMs = 4000.0;
    s.offsetMs = 50.0;
    s.modulationPct = 100.0;
    auto line = makeSettledLine (s);
    EXPECT_GE (line->getRingLength(), 4050.0 * 65.536 + DelayEcho::maxModulationSamples + 2.0);

    const int delay = 265421;
    const auto out = impulseResponse (*line, delay + 2500);
    const double echoPeak = peakIn (out, delay - 1100, delay + 2500);
    EXPECT_GT (echoPeak, 1.0e-6);
    EXPECT_LT (peakIn (out, 0, delay - 1100), 1.0e-6 * echoPeak);
}

struct RingCase
{
    double sampleRate;
    int length;
};

TEST (DelayEcho, RingIsThePowerOfTwoThatHoldsTheLongestDelay)
{
    for (const auto& c : { RingCase { 44100.0, 262144 }, RingCase { 48000.0, 262144 }, RingCase { 65536.0, 524288 },
                           RingCase { 96000.0, 524288 }, RingCase { 192000.0, 1048576 } })
    {
        DelayEcho line;
        line.reset (c.sampleRate);
        EXPECT_EQ (line.getRingLength(), c.length) << c.sampleRate;
    }

    DelayEcho line;
    line.reset (44100.0);
    line.reset (96000.0);
    EXPECT_EQ (line.getRingLength(), 524288);
}

TEST (DelayEcho, DelayNeverExceedsWhatTheRingWasSizedFor)
{
    struct Case
    {
        double timeMs, offsetMs, expectedMs;
    };
    for (const auto& c : { Case { 1.0e9, 0.0, 4000.0 }, Case { 1.0e9, 1.0e9, 4050.0 }, Case { 4000.0, -1.0e9, 3950.0 },
                           Case { -100.0, 0.0, 0.0 }, Case { std::nan (""), 0.0, 0.0 }, Case { 240.0, std::nan (""), 240.0 },
                           Case { HUGE_VAL, 0.0, 4000.0 } })
    {
        DelayEcho line;
        line.reset (44100.0);
        line.setDelay (c.timeMs, 50.0, 0.0, c.offsetMs);
        EXPECT_NEAR (line.getDelaySamples(), c.expectedMs * 44.1, 1e-6) << c.timeMs << " " << c.offsetMs;
        for (int n = 0; n < 1000; ++n)
            ASSERT_TRUE (std::isfinite (line.processSample (0.5, none)));
    }
}

//==============================================================================
TEST (DelayEcho, ModulationRaisesTheDelayToTheMinimumTime)
{
    struct Case
    {
        double modulationPct, timeMs, expectedMs;
    };
    for (const auto& c : { Case { 0.0, 10.0, 10.0 }, Case { 0.1, 0.5, 1.0 }, Case { 50.0, 10.0, 15.0 },
                           Case { 100.0, 10.0, 30.0 }, Case { 100.0, 50.0, 50.0 } })
    {
        DelayEcho line;
        line.reset (44100.0);
        line.setDelay (c.timeMs, 0.0, c.modulationPct, 0.0);
        EXPECT_NEAR (line.getDelaySamples(), c.expectedMs * 44.1, 1e-9) << c.modulationPct << " " << c.timeMs;
    }

    // Heard: at full modulation 10 ms echo near 1323 samples (the LFOs swing at most
    // about 105 samples below the delay), not at 441.
    Settings s;
    s.timeMs = 10.0;
    s.modulationPct = 100.0;
    auto line = makeSettledLine (s);
    const auto out = impulseResponse (*line, 4000);
    const int onset = onsetIn (out, 0, 4000);
    EXPECT_GT (onset, 1323 - 150);
    EXPECT_LT (onset, 1323 + static_cast<int> (DelayEcho::maxModulationSamples));
}

TEST (DelayEcho, ModulationStaysWithinTheRingsMargin)
{
    for (double timeMs : { 10.0, 240.0, 4000.0 })
    {
        Settings s;
        s.timeMs = timeMs;
        s.modulationPct = 100.0;
        auto line = makeLine (s);
        double widest = 0.0;
        for (int n = 0; n < 44100 * 20; ++n)
        {
            line->processSample (0.0, none);
            widest = std::max (widest, std::fabs (line->getModulation()));
        }
        EXPECT_GT (widest, 100.0) << timeMs;
        EXPECT_LT (widest, DelayEcho::maxModulationSamples) << timeMs;
    }
}

TEST (DelayEcho, FeedbackIsAGainUpToTwo)
{
    struct Case
    {
        double pct, gain;
    };
    for (const auto& c : { Case { 0.0, 0.0 }, Case { 60.0, 0.6 }, Case { 200.0, 2.0 }, Case { 1.0e9, 2.0 },
                           Case { -5.0, 0.0 }, Case { std::nan (""), 0.0 } })
    {
        DelayEcho line;
        line.reset (44100.0);
        line.setDelay (240.0, c.pct, 0.0, 0.0);
        EXPECT_DOUBLE_EQ (line.getFeedbackGain(), c.gain) << c.pct;
    }
}

TEST (DelayEcho, FullFeedbackStaysBounded)
{
    for (bool drive : { false, true })
    {
        Settings s;
        s.feedbackPct = 200.0;
        s.modulationPct = 50.0;
        s.drive = drive;
        auto line = makeLine (s);
        double peak = 0.0;
        for (double x : dsptest::noise (44100 * 10, 1.0, 11))
        {
            const double y = line->processSample (x, none);
            ASSERT_TRUE (std::isfinite (y));
            peak = std::max (peak, std::fabs (y));
        }
        EXPECT_LT (peak, 2.0) << drive;
        EXPECT_GT (peak, 0.1) << drive;
    }
}

//==============================================================================
TEST (DelayEcho, TheMarkerMakesTheLineRunItsOwnLfos)
{
    Settings s;
    s.modulationPct = 50.0;
    auto line = makeLine (s);
    std::vector<double> values;
    for (int n = 0; n < 1000; ++n)
    {
        line->processSample (0.0, none);
        values.push_back (line->getModulation());
    }
    EXPECT_NE (values.front(), values.back());
    EXPECT_GT (std::fabs (values.back()), 1.0);

    line->processSample (0.0, 12.5);
    EXPECT_EQ (line->getModulation(), 12.5);
    line->processSample (0.0, 0.0);
    EXPECT_EQ (line->getModulation(), 0.0);
}

TEST (DelayEcho, RightLineFollowsTheLeftLinesModulationWithoutRunningItsOwn)
{
    Settings s;
    s.modulationPct = 100.0;
    s.feedbackPct = 60.0;
    auto left = makeLine (s);
    auto right = makeLine (s);
    auto untouched = makeLine (s);

    for (double x : dsptest::noise (44100 * 2, 0.5, 12))
    {
        const double l = left->processSample (x, none);
        const double r = right->processSample (x, left->getModulation());
        ASSERT_EQ (l, r);
    }

    // The right line's LFOs have stood still: they resume where a fresh line starts.
    right->processSample (0.0, none);
    untouched->processSample (0.0, none);
    EXPECT_EQ (right->getModulation(), untouched->getModulation());
}

//==============================================================================
TEST (DelayEcho, NonFiniteInputIsSilenceOnTheEchoPath)
{
    Settings s;
    s.feedbackPct = 90.0;
    s.modulationPct = 50.0;
    auto withBurst = makeLine (s);
    auto withSilence = makeLine (s);

    auto input = dsptest::noise (44100 * 4, 0.5, 13);
    auto silenced = input;
    const double bad[] = { std::nan (""), HUGE_VAL, -HUGE_VAL };
    for (int n = 0; n < 300; ++n)
    {
        input[static_cast<size_t> (44100 + n)] = bad[n % 3];
        silenced[static_cast<size_t> (44100 + n)] = 0.0;
    }

    for (size_t n = 0; n < input.size(); ++n)
    {
        const double a = withBurst->processSample (input[n], none);
        const double b = withSilence->processSample (silenced[n], none);
        ASSERT_TRUE (std::isfinite (a)) << n;
        ASSERT_EQ (a, b) << n;
    }
}

TEST (DelayEcho, NonFiniteExternalModulationKeepsTheLineFinite)
{
    Settings s;
    s.feedbackPct = 60.0;
    auto line = makeLine (s);
    for (double x : dsptest::noise (20000, 0.5, 14))
    {
        ASSERT_TRUE (std::isfinite (line->processSample (x, std::nan (""))));
        ASSERT_TRUE (std::isfinite (line->processSample (x, HUGE_VAL)));
        ASSERT_TRUE (std::isfinite (line->processSample (x, -1.0e300)));
    }
}

TEST (DelayEcho, ResetSilencesTheLine)
{
    Settings s;
    s.feedbackPct = 100.0;
    s.drive = true;
    auto line = makeLine (s);
    for (double x : dsptest::noise (44100, 0.8, 15))
        line->processSample (x, none);

    line->reset (44100.0);
    line->setDelay (s.timeMs, s.feedbackPct, s.modulationPct, s.offsetMs);
    for (int n = 0; n < 44100 * 2; ++n)
        ASSERT_EQ (line->processSample (0.0, none), 0.0) << n;
}

TEST (DelayEcho, IsSilentUntilItHasARing)
{
    DelayEcho line;
    line.setDelay (0.0, 100.0, 0.0, 0.0);
    EXPECT_TRUE (line.isSilenced());
    for (int n = 0; n < 100; ++n)
        ASSERT_EQ (line.processSample (1.0, none), 0.0);
}

TEST (DelayEcho, UnobtainableRingKeepsThePreviousOneAndStaysSilent)
{
    Settings s;
    auto line = makeLine (s);
    ASSERT_EQ (line->getRingLength(), 262144);

    for (double rate : { 1.0e9, std::nan (""), 0.0, -48000.0 })
    {
        line->reset (rate);
        EXPECT_TRUE (line->isSilenced()) << rate;
        EXPECT_EQ (line->getRingLength(), 262144) << rate;
        for (int n = 0; n < 100; ++n)
            ASSERT_EQ (line->processSample (1.0, none), 0.0);
    }

    // A later reset at a usable rate brings the line back.
    s.sampleRate = 48000.0;
    line->reset (s.sampleRate);
    line->setDelay (s.timeMs, 0.0, 0.0, 0.0);
    line->setCharacters (20.0, 5.0, true, false);
    EXPECT_FALSE (line->isSilenced());
    for (int n = 0; n < 48000 * 3; ++n)
        line->processSample (0.0, none);
    const auto out = impulseResponse (*line, 13000);
    EXPECT_EQ (onsetIn (out, 0, 13000), 11520);
}

//==============================================================================
TEST (DelayEcho, OffsetDarkensTheEchoThroughItsShelf)
{
    struct Case
    {
        double offsetMs, shelfDb;
    };
    for (const auto& c : { Case { 0.0, 0.0 }, Case { 5.0, -0.8 }, Case { 13.0, -1.4 }, Case { 30.0, -2.0 },
                           Case { 50.0, -2.0 } })
    {
        DelayEcho line;
        line.reset (44100.0);
        line.setDelay (240.0, 0.0, 0.0, c.offsetMs);
        EXPECT_NEAR (toDecibels (line.getOffsetShelf().getMagnitude (0.0)), 0.0, 1e-4) << c.offsetMs;
        EXPECT_NEAR (toDecibels (line.getOffsetShelf().getMagnitude (21000.0)), c.shelfDb, 0.03) << c.offsetMs;
    }
}

TEST (DelayEcho, SetCharactersSetsEveryCharacterAndSelectsTheFirst)
{
    DelayEcho line;
    line.reset (44100.0);
    ASSERT_EQ (line.getNumCharacters(), 1);
    line.setCurrentCharacter (3);
    EXPECT_EQ (line.getCurrentCharacter(), 0);

    line.setCharacters (90.0, 10.0, true, true);
    EXPECT_EQ (line.getCurrentCharacter(), 0);
    const auto& character = dynamic_cast<const DezorCharacter&> (line.getCharacter (0));
    EXPECT_NEAR (character.getFeedbackGain(), 0.5623413251903555, 1e-15);
    EXPECT_NEAR (character.getLowCut().getMagnitude (90.0), std::sqrt (0.05), 1e-6);
}

TEST (DelayEcho, SettingsMayChangeWhileAudioRuns)
{
    Settings s;
    s.modulationPct = 50.0;
    s.feedbackPct = 80.0;
    auto line = makeLine (s);

    std::atomic<bool> done { false };
    std::thread parameters ([&] {
        for (int i = 0; i < 2000; ++i)
        {
            line->setDelay (10.0 + i % 400, 40.0 + i % 160, i % 100, i % 50);
            line->setCharacters (i % 2 ? 90.0 : 20.0, (i % 101) * 0.1, true, i % 3 == 0);
        }
        done = true;
    });

    const auto input = dsptest::noise (4096, 0.5, 16);
    bool finite = true;
    for (size_t n = 0; ! done.load(); ++n)
        finite = finite && std::isfinite (line->processSample (input[n % input.size()], none));
    parameters.join();
    EXPECT_TRUE (finite);
}
