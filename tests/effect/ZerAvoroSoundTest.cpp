// What the delay module does to audio: echo timing, feedback, mix and output
// level, stability at full feedback, stereo symmetry, and both sample types.

#include <gtest/gtest.h>

#include <cmath>

#include "tests/effect/ModuleTestSupport.h"

using namespace effect_test;

namespace
{
// Long enough for the read position's glide and the gain fades to settle.
constexpr int preRoll = 3 * 44100;
constexpr int delay240 = 10584; // 240 ms at 44.1 kHz

void setByUser (ModuleParam* p, double v)
{
    p->setValueNotifyingHost (v);
}

// An impulse after the pre-roll, on the given channels, and enough room behind it
// for `echoes` echoes of `delay` samples.
Channels<float> impulseAfterPreRoll (int numChannels, float height, int length)
{
    auto signal = silence (numChannels, preRoll + length);
    for (auto& c : signal)
        c[(size_t) preRoll] = height;
    return signal;
}
} // namespace

TEST (ZerAvoroSound, EchoStartsOneDelayAfterTheInputAndLrOffsetDelaysOneSideOnlyInStereo)
{
    struct Case { const char* layout; int ins, outs; double offset; long left, right; };
    const std::vector<Case> cases {
        { "stereo", 2, 2, 0, delay240, delay240 },
        { "stereo", 2, 2, 10, 11025, delay240 },
        { "stereo", 2, 2, -10, delay240, 11025 },
        { "mono to stereo", 1, 2, 10, 11025, delay240 },
        { "mono", 1, 1, 10, delay240, -1 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (testing::Message() << c.layout << ", offset " << c.offset);
        auto module = makeModule (c.ins, c.outs);
        setByUser (module->modulation, 0.0);
        setByUser (module->mix, 100.0); // wet only, so the onset is the echo's
        setByUser (module->feedback, 0.0);
        setByUser (module->lrOffset, c.offset);

        auto signal = impulseAfterPreRoll (c.outs, 1.0f, 12000);
        if (c.ins == 1 && c.outs == 2)
            signal[1][(size_t) preRoll] = 0.0f; // the second channel holds no input
        run (*module, signal);

        EXPECT_EQ (onsetOf (signal[0], preRoll), c.left);
        if (c.outs == 2)
        {
            EXPECT_EQ (onsetOf (signal[1], preRoll), c.right);
        }
    }
}

TEST (ZerAvoroSound, SuccessiveEchoesFallByAFactorThatScalesWithFeedback)
{
    // Echo k starts at k * D + (k - 1): the feedback uses the previous sample's read.
    auto echoLevels = [] (double feedbackPct)
    {
        auto module = makeModule (2, 2);
        setByUser (module->modulation, 0.0);
        setByUser (module->mix, 100.0);
        setByUser (module->feedback, feedbackPct);
        auto signal = impulseAfterPreRoll (2, 1e-3f, 3 * delay240 + 100);
        run (*module, signal);

        std::vector<double> levels;
        for (int k = 1; k <= 3; ++k)
        {
            const size_t start = (size_t) (preRoll + k * delay240 + (k - 1));
            levels.push_back (rms (signal[0], start, start + (size_t) delay240));
        }
        return levels;
    };

    const auto at30 = echoLevels (30.0);
    const auto at60 = echoLevels (60.0);
    const auto at120 = echoLevels (120.0);

    // The first echo doesn't pass the feedback path.
    EXPECT_NEAR (at60[0] / at30[0], 1.0, 1e-6);
    EXPECT_NEAR (at120[0] / at30[0], 1.0, 1e-6);

    const double ratio30 = at30[1] / at30[0];
    const double ratio60 = at60[1] / at60[0];
    const double ratio120 = at120[1] / at120[0];
    EXPECT_GT (ratio30, 0.1);
    EXPECT_LT (ratio30, 0.3);
    EXPECT_NEAR (ratio60 / ratio30, 2.0, 0.02);
    EXPECT_NEAR (ratio120 / ratio30, 4.0, 0.08);
    EXPECT_NEAR ((at60[2] / at60[1]) / (at30[2] / at30[1]), 2.0, 0.02);
}

TEST (ZerAvoroSound, MixIsEqualPowerAndOutputScalesEverythingBeforeTheFirstEcho)
{
    struct Case { double mix, outputDb; };
    for (const auto& c : { Case { 0, 0 }, Case { 50, 0 }, Case { 25, 6 }, Case { 75, -12 }, Case { 100, 0 },
                           Case { 0, 12 }, Case { 0, -12 } })
    {
        SCOPED_TRACE (testing::Message() << "Mix " << c.mix << ", Output " << c.outputDb << " dB");
        auto module = makeModule (2, 2);
        setByUser (module->mix, c.mix);
        setByUser (module->output, c.outputDb);

        auto signal = silence (2, preRoll + 4096);
        auto burst = noise (4096, 7, 0.5);
        std::copy (burst.begin(), burst.end(), signal[0].begin() + preRoll);
        std::copy (burst.begin(), burst.end(), signal[1].begin() + preRoll);
        run (*module, signal);

        const double gain = std::cos (c.mix * juce::MathConstants<double>::pi / 200.0)
                            * std::pow (10.0, c.outputDb / 20.0);
        for (int ch = 0; ch < 2; ++ch)
            for (size_t i = 0; i < burst.size(); i += 97)
                EXPECT_NEAR (signal[(size_t) ch][(size_t) preRoll + i], burst[i] * gain, 1e-6 + 1e-6 * std::abs (burst[i]))
                    << "channel " << ch << ", sample " << i;
    }
}

TEST (ZerAvoroSound, FullFeedbackOnTenSecondsOfNoiseStaysFiniteAndBounded)
{
    for (double driveOn : { 0.0, 1.0 })
    {
        SCOPED_TRACE (driveOn > 0 ? "Drive on" : "Drive off");
        auto module = makeModule (2, 2);
        setByUser (module->feedback, 200.0);
        setByUser (module->drive, driveOn);
        setByUser (module->modulation, 100.0);
        Channels<float> signal { noise (10 * 44100, 11), noise (10 * 44100, 12) };
        run (*module, signal);

        for (const auto& c : signal)
        {
            EXPECT_TRUE (allFinite (c));
            EXPECT_LT (peakOf (c), 2.0);
        }
        // The echo keeps ringing at full feedback.
        Channels<float> tail = silence (2, 44100);
        run (*module, tail);
        EXPECT_GT (rms (tail[0], 0, tail[0].size()), 1e-3);
        EXPECT_LT (peakOf (tail[0]), 2.0);
    }
}

TEST (ZerAvoroSound, IdenticalInputsGiveIdenticalSidesWithoutOffset)
{
    // The right line takes the left line's modulation, so even full modulation
    // keeps both sides the same.
    for (double modulation : { 0.0, 100.0 })
    {
        auto module = makeModule (2, 2);
        setByUser (module->modulation, modulation);
        auto input = noise (2 * 44100, 21, 0.8);
        Channels<float> signal { input, input };
        run (*module, signal);
        EXPECT_EQ (signal[0], signal[1]) << "Modulation " << modulation;
    }
}

TEST (ZerAvoroSound, MonoToStereoCarriesTheSameDryAndEchoOnBothSides)
{
    auto module = makeModule (1, 2);
    auto input = noise (2 * 44100, 22, 0.8);
    Channels<float> signal { input, std::vector<float> (input.size(), 0.0f) };
    run (*module, signal);
    EXPECT_EQ (signal[0], signal[1]);
    EXPECT_GT (rms (signal[1], 44100, 2 * 44100), 0.1);
}

TEST (ZerAvoroSound, DoubleBlocksSoundLikeFloatBlocks)
{
    auto floatModule = makeModule (2, 2);
    auto doubleModule = makeModule (2, 2);
    for (auto* m : { floatModule.get(), doubleModule.get() })
    {
        setByUser (m->feedback, 90.0);
        setByUser (m->lrOffset, 7.0);
    }

    auto left = noise (44100, 31, 0.5), right = noise (44100, 32, 0.5);
    Channels<float> f { left, right };
    Channels<double> d { std::vector<double> (left.begin(), left.end()), std::vector<double> (right.begin(), right.end()) };
    run (*floatModule, f);
    run (*doubleModule, d);

    double worst = 0.0;
    for (size_t ch = 0; ch < 2; ++ch)
        for (size_t i = 0; i < left.size(); ++i)
            worst = std::max (worst, std::abs ((double) f[ch][i] - d[ch][i]));
    EXPECT_LT (worst, 1e-5);
    EXPECT_GT (rms (d[0], 20000, 44100), 0.05);
}

TEST (ZerAvoroSound, SilenceInGivesSilenceOutOnceTheEchoesDie)
{
    auto module = makeModule (2, 2);
    Channels<float> signal { noise (44100, 41), noise (44100, 42) };
    run (*module, signal);
    auto tail = silence (2, 20 * 44100);
    run (*module, tail);
    EXPECT_LT (peakOf (std::vector<float> (tail[0].end() - 44100, tail[0].end())), 1e-6);
    EXPECT_LT (module->getMeterValue (1), 1e-6f);
}
