// The stereo block kernel against the lines' own sample-by-sample path: two modules
// fed the same noise and the same automation, one on the per-sample path and one on
// a kernel variant, must give the same output and the same meters. The baseline
// variant must match bit for bit; the wider variants may differ only by the rounding
// that fused multiply-adds save.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "effect/dsp/DelayEcho.h"
#include "effect/dsp/LevelMeter.h"
#include "effect/dsp/StereoEchoKernel.h"
#include "tests/effect/ModuleTestSupport.h"

using namespace effect_test;
using Variant = StereoEchoKernel::Variant;

namespace
{
constexpr double rate = 44100.0;

struct Switches
{
    bool drive, lowCut, sync;
};

std::string describe (Variant v, const Switches& s, bool stereoIn, const char* sampleType)
{
    return std::string (StereoEchoKernel::getName (v)) + (stereoIn ? " stereo" : " mono-to-stereo")
           + " " + sampleType + (s.drive ? " drive" : "") + (s.lowCut ? " low-cut" : "") + (s.sync ? " sync" : "");
}

// What one step of automation does, the same to both modules.
struct Automation
{
    explicit Automation (unsigned seed) : rng (seed) {}

    double uniform (double lo, double hi) { return std::uniform_real_distribution<double> (lo, hi) (rng); }
    int pick (int n) { return std::uniform_int_distribution<int> (0, n - 1) (rng); }

    std::mt19937 rng;
};

void apply (ZerAvoroProcessor& m, int what, double value)
{
    ModuleParam* params[] = { m.time, m.feedback, m.modulation, m.tone, m.mix, m.output, m.lrOffset, m.timeNote };
    params[what]->setValueNotifyingHost (value);
}

template <typename Sample>
bool sameBits (Sample a, Sample b)
{
    return std::memcmp (&a, &b, sizeof a) == 0;
}

// Runs both modules through the same few seconds of noise, blocks of changing size
// and automation between the blocks, and checks every block's output and the meters.
template <typename Sample>
void expectKernelMatchesPerSamplePath (Variant variant, Switches sw, bool stereoIn)
{
    const auto label = describe (variant, sw, stereoIn, sizeof (Sample) == 4 ? "float" : "double");
    const int ins = stereoIn ? 2 : 1;
    auto reference = makeModule (ins, 2, rate);
    auto subject = makeModule (ins, 2, rate);
    reference->setKernelVariant (Variant::perSample);
    subject->setKernelVariant (variant);
    ASSERT_EQ (subject->getKernelVariant(), variant) << label;

    for (auto* m : { reference.get(), subject.get() })
    {
        m->drive->setValueNotifyingHost (sw.drive ? 1.0 : 0.0);
        m->lowCut->setValueNotifyingHost (sw.lowCut ? 1.0 : 0.0);
        m->delaySync->setValueNotifyingHost (sw.sync ? 1.0 : 0.0);
        // Short echoes and high feedback, so that the loop runs many times.
        m->time->setValueNotifyingHost (23.0);
        m->feedback->setValueNotifyingHost (120.0);
        m->lrOffset->setValueNotifyingHost (7.5);
    }

    Automation automation (sw.drive * 4 + sw.lowCut * 2 + sw.sync + (stereoIn ? 8 : 0));
    const auto sourceL = noise<Sample> (1 << 15, 11, 0.7);
    const auto sourceR = noise<Sample> (1 << 15, 12, 0.7);
    const int blockSizes[] = { 1, 7, 32, 255, 256, 257, 512, 1000 };

    // The wider variants: within 1e-9 of the loudest output so far, and for float
    // blocks two steps of the float grid more, where the doubles round to
    // neighbouring floats on the way (the mix and then the gain).
    const bool exact = variant == Variant::baseline;
    double loudest = 1e-6;

    double bpm = 120.0;
    int offset = 0;
    const int totalFrames = (int) (1.5 * rate);
    for (int done = 0, block = 0; done < totalFrames; ++block)
    {
        const int n = blockSizes[automation.pick (8)];
        Channels<Sample> in (2, std::vector<Sample> ((size_t) n));
        for (int i = 0; i < n; ++i, offset = (offset + 1) & ((1 << 15) - 1))
        {
            in[0][(size_t) i] = sourceL[(size_t) offset];
            in[1][(size_t) i] = sourceR[(size_t) offset];
        }
        if (block == 40)
            in[0][0] = std::numeric_limits<Sample>::infinity(); // never reaches the lines
        if (! stereoIn)
            in[1].assign ((size_t) n, Sample (0)); // written, never read

        auto outRef = in;
        auto outSub = in;
        run (*reference, outRef, n, bpm);
        run (*subject, outSub, n, bpm);

        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < n; ++i)
            {
                const Sample r = outRef[(size_t) ch][(size_t) i], s = outSub[(size_t) ch][(size_t) i];
                if (exact)
                {
                    ASSERT_TRUE (sameBits (r, s)) << label << ": block " << block << " channel " << ch << " frame " << i
                                                  << ": " << r << " against " << s;
                    continue;
                }
                if (r == s || (std::isnan ((double) r) && std::isnan ((double) s)))
                    continue;
                if (std::isfinite ((double) r))
                    loudest = std::max (loudest, std::abs ((double) r));
                double tolerance = 1e-9 * loudest;
                if (sizeof (Sample) == sizeof (float))
                {
                    const float magnitude = std::abs ((float) r);
                    tolerance += 2.0 * ((double) std::nextafter (magnitude, std::numeric_limits<float>::infinity()) - magnitude);
                }
                ASSERT_LE (std::abs ((double) r - (double) s), tolerance)
                    << label << ": block " << block << " channel " << ch << " frame " << i << ": " << r << " against " << s;
            }

        if (exact)
        {
            ASSERT_TRUE (sameBits (reference->getMeterValue (0), subject->getMeterValue (0))) << label << ": block " << block;
            ASSERT_TRUE (sameBits (reference->getMeterValue (1), subject->getMeterValue (1))) << label << ": block " << block;
        }
        else
        {
            ASSERT_NEAR (reference->getMeterValue (0), subject->getMeterValue (0), 1e-6) << label << ": block " << block;
            ASSERT_NEAR (reference->getMeterValue (1), subject->getMeterValue (1), 1e-6) << label << ": block " << block;
        }

        // Between blocks, as a host does: a knob moves now and then, and the tempo
        // changes, which rewrites "Time" on the audio thread while synced.
        if (automation.pick (3) == 0)
        {
            const int what = automation.pick (8);
            const double ranges[][2] = { { 0, 300 }, { 0, 200 }, { 0, 100 }, { 0, 10 }, { 0, 100 }, { -12, 12 }, { -50, 50 }, { 0, 20 } };
            const double value = what == 7 ? (double) automation.pick (21) : automation.uniform (ranges[what][0], ranges[what][1]);
            apply (*reference, what, value);
            apply (*subject, what, value);
        }
        if (automation.pick (20) == 0)
            bpm = automation.uniform (60.0, 240.0);
        if (block == 90)
        {
            // Every switch flips once on the way.
            for (auto* m : { reference.get(), subject.get() })
            {
                m->drive->setValueNotifyingHost (sw.drive ? 0.0 : 1.0);
                m->lowCut->setValueNotifyingHost (sw.lowCut ? 0.0 : 1.0);
            }
        }
        done += n;
    }
}

std::vector<Variant> variantsThisMachineRuns()
{
    std::vector<Variant> found;
    for (auto v : { Variant::baseline, Variant::avx2, Variant::avx512 })
        if (StereoEchoKernel::isSupported (v))
            found.push_back (v);
    return found;
}

const Switches allSwitches[] = {
    { false, false, false }, { true, false, false }, { false, true, false }, { true, true, false },
    { false, false, true },  { true, false, true },  { false, true, true },  { true, true, true },
};
} // namespace

TEST (StereoEchoKernel, MatchesThePerSamplePathInFloatBlocks)
{
    for (auto variant : variantsThisMachineRuns())
        for (const auto& sw : allSwitches)
            for (bool stereoIn : { true, false })
                expectKernelMatchesPerSamplePath<float> (variant, sw, stereoIn);
}

TEST (StereoEchoKernel, MatchesThePerSamplePathInDoubleBlocks)
{
    for (auto variant : variantsThisMachineRuns())
        for (const auto& sw : allSwitches)
            for (bool stereoIn : { true, false })
                expectKernelMatchesPerSamplePath<double> (variant, sw, stereoIn);
}

TEST (StereoEchoKernel, TheModuleRunsTheFastestVariantTheProcessorHasAndFallsBackFromOneItLacks)
{
    auto module = makeModule (2, 2, rate);
    EXPECT_EQ (module->getKernelVariant(), StereoEchoKernel::fastest());
    EXPECT_TRUE (StereoEchoKernel::isSupported (StereoEchoKernel::fastest()));
    EXPECT_NE (StereoEchoKernel::fastest(), Variant::perSample);

    for (auto v : { Variant::perSample, Variant::baseline, Variant::avx2, Variant::avx512 })
    {
        module->setKernelVariant (v);
        module->prepareToPlay (rate, 512);
        const auto expected = StereoEchoKernel::isSupported (v) ? v : StereoEchoKernel::fastest();
        EXPECT_EQ (module->getKernelVariant(), expected) << StereoEchoKernel::getName (v);
    }
}

// The kernel on its own, as bench_dsp runs it: it must take two prepared lines (a
// kernel that quietly handed every block back would leave the module on the slow
// path and the tests above comparing that path with itself), and it must hand back,
// untouched, a block it cannot run.
TEST (StereoEchoKernel, TakesTwoPreparedLinesAndHandsBackABlockItCannotRun)
{
    auto prepared = [] (DelayEcho& line, double sampleRate)
    {
        line.reset (sampleRate);
        line.setDelay (40.0, 80.0, 50.0, 0.0);
        line.setCharacters (20.0, 5.0, true, true);
    };

    const StereoEchoKernel::Mix wetOnly { 1.0, 0.0, 1.0, 0.0, 1.0, 0.0 };
    for (auto variant : variantsThisMachineRuns())
    {
        StereoEchoKernel kernel;
        kernel.prepare (variant);

        DelayEcho left, right, refLeft, refRight;
        for (auto* line : { &left, &right, &refLeft, &refRight })
            prepared (*line, rate);
        LevelMeter inputMeter, outputMeter;
        inputMeter.prepare (rate, LevelMeter::inputMeterMass);
        outputMeter.prepare (rate, LevelMeter::outputMeterMass);

        auto l = noise<double> (3000, 21, 0.5);
        auto r = noise<double> (3000, 22, 0.5);
        std::vector<double> expectedL (l.size()), expectedR (r.size());
        for (size_t i = 0; i < l.size(); ++i)
        {
            expectedL[i] = refLeft.processSample (l[i], DelayEcho::noModulation);
            expectedR[i] = refRight.processSample (r[i], refLeft.getModulation());
        }

        double gain = 1.0;
        ASSERT_TRUE (kernel.process (left, right, wetOnly, gain, inputMeter, outputMeter, l.data(), r.data(), (int) l.size(), true))
            << StereoEchoKernel::getName (variant);
        double worst = 0.0;
        for (size_t i = 0; i < l.size(); ++i)
            worst = std::max ({ worst, std::abs (l[i] - expectedL[i]), std::abs (r[i] - expectedR[i]) });
        if (variant == Variant::baseline)
            EXPECT_EQ (worst, 0.0);
        else
            EXPECT_LE (worst, 1e-9 * peakOf (expectedL)) << StereoEchoKernel::getName (variant);
        // The lines carry on from where the kernel left them.
        EXPECT_NEAR (left.getReadPosition(), refLeft.getReadPosition(), variant == Variant::baseline ? 0.0 : 1e-9)
            << StereoEchoKernel::getName (variant);
        EXPECT_NEAR (right.getModulation(), refRight.getModulation(), variant == Variant::baseline ? 0.0 : 1e-9)
            << StereoEchoKernel::getName (variant);

        // A line without its ring: nothing is touched and the caller runs its own path.
        DelayEcho silent;
        auto block = noise<double> (64, 23, 0.5);
        const auto before = block;
        EXPECT_FALSE (kernel.process (silent, right, wetOnly, gain, inputMeter, outputMeter, block.data(), block.data(), 64, true));
        EXPECT_EQ (block, before);
    }

    // No variant chosen: every block goes back.
    StereoEchoKernel unprepared;
    DelayEcho a, b;
    prepared (a, rate);
    prepared (b, rate);
    LevelMeter m1, m2;
    double gain = 1.0;
    std::vector<double> x (16, 0.25), y (16, 0.25);
    EXPECT_FALSE (unprepared.process (a, b, wetOnly, gain, m1, m2, x.data(), y.data(), 16, true));
}
