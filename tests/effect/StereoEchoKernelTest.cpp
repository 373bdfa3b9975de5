// The stereo block kernel against the lines' own sample-by-sample path: two modules
// fed the same noise and the same automation, one on the per-sample path and one on
// a kernel variant, must give the same output and the same meters. The baseline
// variant must match bit for bit; the wider variants may differ only by the rounding
// that fused multiply-adds save.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

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
